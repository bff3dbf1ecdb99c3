// The upgrader program for tests: the same run as KydVeltUpgrader, after
// leading options that only tests use:
//   --base-url URL      the update server to fetch the files from
//   --install-dir DIR   the install directory
//   --public-key KEY    the update public key (base64 line of a minisign .pub) (where its own binary lies)
//   --stop-after-moves N  is killed (SIGKILL) once N files have been put
//                       in place, as a power cut would stop it
//   --answer-boxes      acts as the user: every message box is printed on
//                       standard output and answered with its default
//                       button; once the update window's Ok button becomes
//                       usable, the window's text, label and speed are
//                       printed and Ok pressed.
#include "deployment.h"
#include "downloadform.h"
#include "installtransaction.h"
#include "upgradersequence.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {
bool answerBoxes = false;

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
        if (!button && !box->buttons().isEmpty())
            button = box->buttons().first();
        if (button)
            button->click();
        return;
    }
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!qobject_cast<DownloadForm*>(window) || !window->isVisible())
            continue;
        auto* ok = window->findChild<QPushButton*>("bOk");
        if (!ok || !ok->isEnabled())
            continue;
        print("FORM LINES:\n" + window->findChild<QTextEdit*>("textEdit")->toPlainText() + "\nFORM END\n");
        print("FORM LABEL: " + window->findChild<QLabel*>("lblDownload")->text() + "\n");
        print("FORM SPEED: " + window->findChild<QLabel*>("lblSpeed")->text() + "\n");
        ok->click();
    }
}

void installUserStandIn()
{
    if (!answerBoxes)
        return;
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
        else if (!std::strcmp(argv[i], "--answer-boxes"))
            answerBoxes = true;
        else if (!std::strcmp(argv[i], "--stop-after-moves") && i + 1 < argc)
            InstallTransaction::afterEachMove = [left = std::atoi(argv[++i])]() mutable {
                if (--left == 0)
                    std::raise(SIGKILL);
            };
        else
            break;
    }
    for (; i < argc; ++i)
        remaining.push_back(argv[i]);
    int remainingCount = static_cast<int>(remaining.size());
    remaining.push_back(nullptr);
    return Upgrader::runProgram(remainingCount, remaining.data());
}
