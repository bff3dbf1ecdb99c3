#!/usr/bin/env python3
"""A small HTTP/1.1 file server for the tests, listening on 127.0.0.1 only.

    http-test-server.py ROOT [PORT]

Serves the files under ROOT (GET and HEAD). PORT 0 (the default) lets the
system choose; the chosen port is printed as "PORT <n>" on the first line of
standard output. Then every request is printed as "REQUEST <method> <path>".

Besides plain files, a few path prefixes make faulty or unusual answers:
  /redirect/<path>          302 to /<path>
  /truncate/<path>          announces more bytes than it sends, then closes
  /slow/<path>?chunk=N&delay=MS
                            sends the file N bytes at a time (default 4096),
                            pausing MS milliseconds (default 50) between chunks
  /status/<code>            answers with that status and a short body
  /endless/<anything>       200 with a body that never ends (no length
                            announced); stops when the client goes, or
                            after 60 seconds
Anything missing answers 404. The server ends when its standard input closes.
"""

import os
import sys
import threading
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    # Headers and body leave in separate writes; without this each small
    # answer waits for the client's delayed acknowledgement.
    disable_nagle_algorithm = True
    root = "."

    def log_message(self, format, *args):
        pass  # the request lines on stdout are enough

    def do_HEAD(self):
        self.answer(send_body=False)

    def do_GET(self):
        self.answer(send_body=True)

    def answer(self, send_body):
        parsed = urllib.parse.urlsplit(self.path)
        path = urllib.parse.unquote(parsed.path)
        query = urllib.parse.parse_qs(parsed.query)
        print("REQUEST", self.command, self.path, flush=True)

        if path.startswith("/redirect/"):
            self.send_response(302)
            self.send_header("Location", path[len("/redirect"):])
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        if path.startswith("/endless/"):
            self.send_response(200)
            self.send_header("Content-Type", "application/octet-stream")
            self.send_header("Connection", "close")
            self.end_headers()
            self.close_connection = True
            if not send_body:
                return
            chunk = b"x" * 65536
            deadline = time.monotonic() + 60
            try:
                while time.monotonic() < deadline:
                    self.wfile.write(chunk)
            except OSError:
                pass  # the client hung up
            return
        if path.startswith("/status/"):
            code = int(path[len("/status/"):].split("/")[0] or "500")
            body = ("status %d\n" % code).encode()
            self.send_response(code)
            self.send_header("Content-Type", "text/plain")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            if send_body:
                self.wfile.write(body)
            return

        mode = "plain"
        for prefix in ("truncate", "slow"):
            if path.startswith("/" + prefix + "/"):
                mode = prefix
                path = path[len(prefix) + 1:]
                break

        file_path = self.local_path(path)
        if file_path is None or not os.path.isfile(file_path):
            self.send_error(404, "Not Found")
            return

        size = os.path.getsize(file_path)
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        announced = size + 1024 if mode == "truncate" else size
        self.send_header("Content-Length", str(announced))
        if mode == "truncate":
            self.send_header("Connection", "close")
        self.end_headers()
        if not send_body:
            return

        with open(file_path, "rb") as source:
            if mode == "slow":
                chunk = int(query.get("chunk", ["4096"])[0])
                delay = int(query.get("delay", ["50"])[0]) / 1000.0
                while True:
                    data = source.read(chunk)
                    if not data:
                        break
                    self.wfile.write(data)
                    time.sleep(delay)
            elif size > 0:
                self.connection.sendfile(source)
        if mode == "truncate":
            self.close_connection = True

    def local_path(self, path):
        parts = [p for p in path.split("/") if p not in ("", ".")]
        if ".." in parts:
            return None
        return os.path.join(self.root, *parts)


def main():
    if len(sys.argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    Handler.root = os.path.abspath(sys.argv[1])
    port = int(sys.argv[2]) if len(sys.argv) > 2 else 0
    server = ThreadingHTTPServer(("127.0.0.1", port), Handler)
    server.daemon_threads = True
    # The test that started us holds our standard input open; when it ends,
    # even by a crash, so do we.
    def watch_parent():
        while sys.stdin.buffer.read(4096):
            pass
        os._exit(0)
    threading.Thread(target=watch_parent, daemon=True).start()
    print("PORT", server.server_address[1], flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
