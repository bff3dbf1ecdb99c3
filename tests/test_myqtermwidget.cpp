#include "cooperativewait.h"
#include "exec/commandlog.h"
#include "exec/myqtermwidget.h"
#include "exec/termexecutor.h"
#include "settings/configloader.h"
#include "testhome.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFontInfo>
#include <QFile>
#include <QImage>
#include "cursorshape.h"

#include <QtTest>

#include <memory>

// The terminals here run a real bash in the test's own home directory; what
// the shell actually ran is observed through the files its commands write.
class MyQTermWidgetTest : public QObject
{
    Q_OBJECT

public:
    explicit MyQTermWidgetTest(TestHome& home) : home(home) {}

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void sandboxTypesOnlyForcedText();
    void traceLogsEveryTextOneLineEach();
    void setupConfiguresTheShellUnlessSandboxed();
    void clearWipesScreenAndScrollback();
    void pasteSendsClipboardThroughSendText();
    void liveListFollowsConstructionAndDestruction();
    void cursorShapeFollowsSettingsAndChanges();
    void fixedWidthFontAndNoFontWarning();

private:
    std::unique_ptr<MyQTermWidget> startedTerminal();
    QString homeFile(const QString& name) const { return home.path() + "/" + name; }
    bool waitForFile(const QString& name, int timeoutMs = 15000) const;
    QStringList traceLines() const;
    static QString history(QTermWidget* terminal);

    TestHome& home;
    ConfigLoader* config = nullptr;
    QString tracePath;
};

void MyQTermWidgetTest::initTestCase()
{
    config = ConfigLoader::getSingleton();
    // The executor (and its own terminal) exists before any case runs; the
    // trace file is opened here as start-up does in trace mode.
    QVERIFY(TermExecutor::getSingleton()->splatTerminal);
    tracePath = home.path() + "/Desktop/KydVeltLauncher_logs.txt";
    QVERIFY(CommandLog::shared().openTrace(tracePath));
}

void MyQTermWidgetTest::init()
{
    config->trace = false;
    config->sandbox = false;
    config->gitLog = false;
    config->cursorType = 0;
}

void MyQTermWidgetTest::cleanup()
{
    init();
}

std::unique_ptr<MyQTermWidget> MyQTermWidgetTest::startedTerminal()
{
    auto terminal = std::make_unique<MyQTermWidget>(0, nullptr);
    terminal->resize(640, 400);
    terminal->show();
    terminal->startShellProgram();
    return terminal;
}

bool MyQTermWidgetTest::waitForFile(const QString& name, int timeoutMs) const
{
    const QString path = homeFile(name);
    return cooperativeWait(timeoutMs, [&] { return QFile::exists(path) && QFileInfo(path).size() > 0; });
}

QStringList MyQTermWidgetTest::traceLines() const
{
    QFile file(tracePath);
    if (!file.open(QIODevice::ReadOnly))
        return QStringList();
    QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString MyQTermWidgetTest::history(QTermWidget* terminal)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    terminal->saveHistory(&buffer);
    return QString::fromUtf8(buffer.data());
}


void MyQTermWidgetTest::sandboxTypesOnlyForcedText()
{
    config->sandbox = true;
    auto terminal = startedTerminal();
    QString output;
    connect(terminal.get(), &QTermWidget::receivedData, [&](const QString& text) { output += text; });
    const int loggedBefore = traceLines().size();

    terminal->sendText("echo typed > ~/unforced\n");
    terminal->sendText("echo typed > ~/forced\n", true);

    QVERIFY(waitForFile("forced"));
    // The shell runs lines in order: had the unforced one been typed, its file
    // would exist by now. Give it a further second all the same.
    cooperativeWait(1000);
    QVERIFY(!QFile::exists(homeFile("unforced")));
    QVERIFY(!output.contains("unforced"));
    // Trace off: nothing is logged.
    QCOMPARE(traceLines().size(), loggedBefore);
}

void MyQTermWidgetTest::traceLogsEveryTextOneLineEach()
{
    config->trace = true;
    config->sandbox = true;
    auto terminal = startedTerminal();
    const int loggedBefore = traceLines().size();

    terminal->sendText("echo one > ~/traced_one\n");
    terminal->sendText("echo two > ~/traced_two\n", true);
    terminal->sendText("echo three > ~/traced_three", true);

    QCOMPARE(traceLines().mid(loggedBefore),
             QStringList({"echo one > ~/traced_one", "echo two > ~/traced_two", "echo three > ~/traced_three"}));
    terminal->sendText("\n", true);
    QVERIFY(waitForFile("traced_three"));
    QCOMPARE(home.readFile("traced_two"), QByteArray("two\n"));
    QVERIFY(!QFile::exists(homeFile("traced_one")));
}

void MyQTermWidgetTest::setupConfiguresTheShellUnlessSandboxed()
{
    // Every reading of ~/.bashrc leaves a line: the shell reads it as it
    // starts, the set-up's "source ~/.bashrc" once more. (TERM cannot tell:
    // qtermwidget 2 starts every shell with xterm-256color.)
    home.writeFile(".bashrc", "PS1='$ '\necho read >> ~/bashrc_reads\n");
    auto reads = [this] { return home.readFile("bashrc_reads").count("read\n"); };

    // In trace and sandbox mode the set-up lines are logged but never typed.
    config->trace = true;
    config->sandbox = true;
    int loggedBefore = traceLines().size();
    auto sandboxed = startedTerminal();
    QCOMPARE(traceLines().mid(loggedBefore),
             QStringList({"export TERM=xterm-256color", "source ~/.bashrc", "clear && echo -en \"\\e[3J\""}));
    sandboxed->sendText("echo $TERM > ~/term_sandboxed\n", true);
    QVERIFY(waitForFile("term_sandboxed"));
    QCOMPARE(reads(), 1);
    sandboxed.reset();
    QFile::remove(homeFile("bashrc_reads"));

    // Otherwise the shell gets the richer TERM.
    config->trace = false;
    config->sandbox = false;
    auto normal = startedTerminal();
    normal->sendText("echo $TERM > ~/term_normal\n");
    QVERIFY(waitForFile("term_normal"));
    QCOMPARE(home.readFile("term_normal"), QByteArray("xterm-256color\n"));
    QCOMPARE(reads(), 2);
    home.writeFile(".bashrc", "PS1='$ '\n");
}

void MyQTermWidgetTest::clearWipesScreenAndScrollback()
{
    auto terminal = startedTerminal();
    terminal->sendText("seq 1 300 | sed s/^/row/; echo done > ~/rows_printed\n");
    QVERIFY(waitForFile("rows_printed"));
    QVERIFY(cooperativeWait(5000, [&] { return history(terminal.get()).contains("row300"); }));
    QVERIFY(history(terminal.get()).contains("row1\n"));

    config->trace = true;
    const int loggedBefore = traceLines().size();
    terminal->clear();
    QCOMPARE(traceLines().mid(loggedBefore), QStringList({"clear && echo -en \"\\e[3J\""}));
    QVERIFY2(cooperativeWait(10000, [&] {
                 const QString text = history(terminal.get());
                 return !text.contains("row1\n") && !text.contains("row300");
             }),
             qPrintable(history(terminal.get()).right(200)));
}

void MyQTermWidgetTest::pasteSendsClipboardThroughSendText()
{
    QClipboard* clipboard = QApplication::clipboard();
    config->trace = true;
    auto terminal = startedTerminal();

    clipboard->setText("echo pasted > ~/pasted\n");
    int loggedBefore = traceLines().size();
    terminal->pasteText();
    QVERIFY(waitForFile("pasted"));
    QCOMPARE(home.readFile("pasted"), QByteArray("pasted\n"));
    QCOMPARE(traceLines().mid(loggedBefore), QStringList({"echo pasted > ~/pasted"}));

    // An empty clipboard types nothing between the two halves of a line.
    clipboard->clear();
    QVERIFY(clipboard->text().isEmpty());
    terminal->sendText("echo abc");
    terminal->pasteText();
    terminal->sendText(" > ~/joined\n");
    QVERIFY(waitForFile("joined"));
    QCOMPARE(home.readFile("joined"), QByteArray("abc\n"));

}

void MyQTermWidgetTest::liveListFollowsConstructionAndDestruction()
{
    config->sandbox = true;
    // The executor's failure window holds one from the start.
    QVERIFY(MyQTermWidget::terminals().contains(TermExecutor::getSingleton()->splatTerminal));
    const QList<MyQTermWidget*> before = MyQTermWidget::terminals();

    auto* first = new MyQTermWidget(0, nullptr);
    auto* second = new MyQTermWidget(0, nullptr);
    QCOMPARE(MyQTermWidget::terminals(), before + QList<MyQTermWidget*>({first, second}));

    delete first;
    QCOMPARE(MyQTermWidget::terminals(), before + QList<MyQTermWidget*>({second}));

    delete second;
    QCOMPARE(MyQTermWidget::terminals(), before);
}

void MyQTermWidgetTest::cursorShapeFollowsSettingsAndChanges()
{
    // Unstarted terminals with nothing typed show only their cursor.
    config->sandbox = true;
    config->cursorType = 1;
    auto first = std::make_unique<MyQTermWidget>(0, nullptr);
    auto second = std::make_unique<MyQTermWidget>(0, nullptr);
    auto* doomed = new MyQTermWidget(0, nullptr);
    for (QWidget* terminal : {static_cast<QWidget*>(first.get()), static_cast<QWidget*>(second.get())})
        terminal->resize(320, 200);
    QCOMPARE(cursorShapeOf(first.get()), 1);
    QCOMPARE(cursorShapeOf(second.get()), 1);

    MyQTermWidget::changeCursorType(QTermWidget::KeyboardCursorShape::IBeamCursor);
    QCOMPARE(cursorShapeOf(first.get()), 2);
    QCOMPARE(cursorShapeOf(second.get()), 2);

    // A destroyed terminal is no longer reached by a change.
    delete doomed;
    MyQTermWidget::changeCursorType(QTermWidget::KeyboardCursorShape::BlockCursor);
    QCOMPARE(cursorShapeOf(first.get()), 0);
    QCOMPARE(cursorShapeOf(second.get()), 0);
}

namespace {
QStringList capturedMessages;
QtMessageHandler previousHandler = nullptr;

void captureMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    capturedMessages << text;
    if (previousHandler)
        previousHandler(type, context, text);
}
}

void MyQTermWidgetTest::fixedWidthFontAndNoFontWarning()
{
    // Both constructors, shown and started, as the tabs and the splat window use them.
    capturedMessages.clear();
    previousHandler = qInstallMessageHandler(captureMessage);
    auto unstarted = std::make_unique<MyQTermWidget>(0, nullptr);
    auto started = std::make_unique<MyQTermWidget>(static_cast<QWidget*>(nullptr));
    unstarted->show();
    started->show();
    cooperativeWait(300);
    qInstallMessageHandler(previousHandler);

    for (const QString& message : capturedMessages)
        QVERIFY2(!message.contains("variable-width", Qt::CaseInsensitive), qPrintable(message));
    for (QTermWidget* terminal : {static_cast<QTermWidget*>(unstarted.get()), static_cast<QTermWidget*>(started.get())}) {
        const QFontInfo font(terminal->getTerminalFont());
        QVERIFY2(font.fixedPitch(), qPrintable(font.family()));
    }
}

int main(int argc, char** argv)
{
    TestHome home;
    QApplication app(argc, argv);
    MyQTermWidgetTest test(home);
    return QTest::qExec(&test, argc, argv);
}

#include "test_myqtermwidget.moc"
