// Opens the launcher's main window on the home that scripts/screenshots.sh
// prepared, starts the server of the first workspace, and saves three
// pictures: the main window, that workspace's git panel and its option
// panel. Run by the script; not a program for users.
//
//   screenshooter --install-dir DIR --ci-host HOST:PORT --output DIR

#include "cooperativewait.h"
#include "deployment.h"
#include "exec/termexecutor.h"
#include "git/gitwidget.h"
#include "git/spoiler.h"
#include "server/autocompletionlist.h"
#include "server/serverwidget.h"
#include "settings/configloader.h"
#include "shell/mainwindow.h"
#include "shell/startup.h"
#include "tools/environnement.h"

#include <QAbstractButton>
#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cstdio>

namespace {

const QSize windowSize(1280, 800);

// Every wait has a deadline: the script must end even when something is off.
bool waitFor(int timeoutMs, const std::function<bool()>& done)
{
    return cooperativeWait(timeoutMs, done);
}

// A box nobody expects would hold the window up: each is told on standard
// error and dismissed.
int unexpectedBoxes = 0;
void dismissModalBoxes()
{
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        ++unexpectedBoxes;
        QString text = modal->windowTitle();
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            text += ": " + box->text();
        std::fprintf(stderr, "screenshooter: dismissed a box: %s\n", qPrintable(text));
        modal->close();
    });
    timer->start(100);
}

QTabWidget* tabWidgetWithTab(QWidget* root, const QString& title)
{
    for (QTabWidget* tabs : root->findChildren<QTabWidget*>())
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->tabText(i) == title)
                return tabs;
    return nullptr;
}

bool selectTab(QWidget* root, const QString& title)
{
    QTabWidget* tabs = tabWidgetWithTab(root, title);
    if (!tabs)
        return false;
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabText(i) == title)
            tabs->setCurrentIndex(i);
    return true;
}

bool branchListColoured(GitWidget* panel)
{
    auto* list = panel->findChild<QListWidget*>("listWidget");
    if (!list || list->count() == 0)
        return false;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->background().style() == Qt::NoBrush)
            return false;
    return true;
}

bool save(QWidget* window, const QString& path)
{
    QCoreApplication::processEvents();
    if (!window->grab().save(path, "PNG")) {
        std::fprintf(stderr, "screenshooter: could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

QString argument(const QStringList& arguments, const QString& name)
{
    const int at = arguments.indexOf(name);
    return at >= 0 && at + 1 < arguments.size() ? arguments.at(at + 1) : QString();
}

}

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const QString installDir = argument(arguments, "--install-dir");
    const QString ciHost = argument(arguments, "--ci-host");
    const QString output = argument(arguments, "--output");
    if (installDir.isEmpty() || ciHost.isEmpty() || output.isEmpty()) {
        std::fprintf(stderr, "usage: screenshooter --install-dir DIR --ci-host HOST:PORT --output DIR\n");
        return 2;
    }
    Deployment::setInstallDir(installDir);
    Deployment::setCiHost(ciHost);
    // Nothing here asks for updates; should anything try, it stays on this machine.
    Deployment::setUpdateBaseUrl("http://127.0.0.1:9/kydveltlauncher/");
    dismissModalBoxes();

    // The normal start-up path, without the splash pause and the update step.
    ConfigLoader* config = ConfigLoader::getSingleton();
    config->load();
    Startup::installTranslation(config->language, nullptr);
    TermExecutor::getSingleton();
    AC_list::init();
    Env::getSingleton();

    MainWindow window;
    window.resize(windowSize);
    window.show();
    if (!waitFor(20000, [&] { return window.windowHandle() && window.windowHandle()->isExposed(); })) {
        std::fprintf(stderr, "screenshooter: the window was never shown\n");
        return 1;
    }

    QList<ServerWidget*> servers = window.findChildren<ServerWidget*>();
    if (servers.size() < 2) {
        std::fprintf(stderr, "screenshooter: expected two workspaces, found %d\n", int(servers.size()));
        return 1;
    }
    ServerWidget* first = nullptr;
    for (ServerWidget* server : servers)
        if (server->letter == 'a')
            first = server;
    if (!first || !selectTab(&window, "server a")) {
        std::fprintf(stderr, "screenshooter: no tab for the first workspace\n");
        return 1;
    }

    // The CI colours arrive from the local page; the terminals need their shells.
    const QList<GitWidget*> panels = window.findChildren<GitWidget*>();
    if (!waitFor(15000, [&] { return std::all_of(panels.begin(), panels.end(), branchListColoured); }))
        std::fprintf(stderr, "screenshooter: some branch lists stayed without CI colours\n");
    cooperativeWait(1500);

    if (auto* start = first->findChild<QPushButton*>("bStart"))
        start->click();
    if (!waitFor(20000, [&] { return first->isServerRunning(); }))
        std::fprintf(stderr, "screenshooter: the server did not report running\n");
    // Two refreshes of the status bar, so its CPU figures have a previous sample.
    cooperativeWait(4500);

    bool saved = save(&window, output + "/main-window.png");

    selectTab(first, "Git");
    // The newest commit card open, as a reader would open it.
    const QList<Spoiler*> cards = first->communityGit->findChildren<Spoiler*>();
    if (!cards.isEmpty())
        cards.first()->button()->click();
    cooperativeWait(800);
    saved = save(&window, output + "/git-panel.png") && saved;

    selectTab(first, "Parameters");
    cooperativeWait(800);
    saved = save(&window, output + "/parameters.png") && saved;

    // The server stops as from the Stop button, without its clean-up by port,
    // which could reach processes that are not ours.
    selectTab(first, "Terminal");
    first->sendCtrlC();
    std::fprintf(stderr, "screenshooter: %d unexpected boxes\n", unexpectedBoxes);
    return saved ? 0 : 1;
}
