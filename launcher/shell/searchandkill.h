#pragma once

class QMainWindow;

// Offers, in a question box owned by `window`, to stop the server process
// listening on `port`, and kills it on Yes. Asks nothing when no server runs
// on that port.
void searchAndKill(QMainWindow* window, int port);
