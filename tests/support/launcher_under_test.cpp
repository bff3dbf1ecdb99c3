// The launcher program for tests: the same start-up as KydVeltLauncher, after
// leading options that only tests use:
//   --base-url URL      the update server
//   --install-dir DIR   the install directory
//   --public-key KEY    the update public key (base64 line of a minisign .pub)
//   --answer TEXT       acts as the user: every message box is printed on
//                       standard output and answered with the first of the
//                       TEXTs given (button texts: "Yes", "Dismiss") that it
//                       offers, else with its default button. May be repeated.
// Once the main window shows and every download started meanwhile has ended,
// "MAIN WINDOW" is printed and the program ends as if closed.
#include "deployment.h"
#include "downloadmanager.h"
#include "shell/mainwindow.h"
#include "shell/startup.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {
QStringList answers;

void print(const QString& text)
{
    std::fputs(text.toUtf8().constData(), stdout);
    std::fflush(stdout);
}

void actAsUser()
{
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        print("BOX TITLE: " + box->windowTitle() + "\nBOX TEXT: " + box->text() + "\nBOX END\n");
        QAbstractButton* button = box->defaultButton();
        for (auto wanted = answers.crbegin(); wanted != answers.crend(); ++wanted)
            for (QAbstractButton* candidate : box->buttons())
                if (candidate->text().remove('&') == *wanted)
                    button = candidate;
        if (!button && !box->buttons().isEmpty())
            button = box->buttons().first();
        if (button)
            button->click();
        return;
    }
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!qobject_cast<MainWindow*>(window) || !window->isVisible())
            continue;
        for (const DownloadManager* manager : qApp->findChildren<DownloadManager*>())
            if (!manager->idle)
                return;
        print("MAIN WINDOW\n");
        QApplication::quit();
        return;
    }
}

void installUserStandIn()
{
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, actAsUser);
    timer->start(50);
}
}
Q_COREAPP_STARTUP_FUNCTION(installUserStandIn)

int main(int argc, char* argv[])
{
    std::vector<char*> remaining{argv[0]};
    int i = 1;
    for (; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--base-url") && i + 1 < argc)
            Deployment::setUpdateBaseUrl(QString::fromLocal8Bit(argv[++i]));
        else if (!std::strcmp(argv[i], "--install-dir") && i + 1 < argc)
            Deployment::setInstallDir(QString::fromLocal8Bit(argv[++i]));
        else if (!std::strcmp(argv[i], "--public-key") && i + 1 < argc)
            Deployment::setUpdatePublicKey(QString::fromLocal8Bit(argv[++i]));
        else if (!std::strcmp(argv[i], "--answer") && i + 1 < argc)
            answers << QString::fromLocal8Bit(argv[++i]);
        else
            break;
    }
    for (; i < argc; ++i)
        remaining.push_back(argv[i]);
    int remainingCount = static_cast<int>(remaining.size());
    remaining.push_back(nullptr);
    QApplication app(remainingCount, remaining.data());
    return Startup::run(app);
}
