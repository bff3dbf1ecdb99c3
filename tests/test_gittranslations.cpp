// Every text the git workspace and the version code show has its French
// translation, in the context of the class that shows it.

#include "gitfixture.h"
#include "modalscript.h"
#include "splatwatcher.h"
#include "testhome.h"

#include "git/gitwidget.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTranslator>
#include <QtTest>

namespace {
const QString sourceRoot = QFileInfo(QString(__FILE__)).absolutePath() + "/..";

QString unescapeCpp(QString text)
{
    return text.replace("\\n", "\n").replace("\\\"", "\"").replace("\\\\", "\\");
}

QString unescapeXml(QString text)
{
    return text.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&apos;", "'")
        .replace("&amp;", "&");
}

// tr("...") and translate("Context", "...") literals of a source file, or
// <string> texts of a form.
QStringList textsOf(const QString& relativePath)
{
    QFile file(sourceRoot + "/" + relativePath);
    if (!file.open(QIODevice::ReadOnly))
        return {"<unreadable " + relativePath + ">"};
    const QString content = QString::fromUtf8(file.readAll());
    QStringList texts;
    const bool form = relativePath.endsWith(".ui");
    const QRegularExpression pattern(form ? QString("<string>(.*?)</string>")
                                          : QString("(?:\\btr\\(|\\btranslate\\(\\s*\"\\w+\",\\s*)"
                                                    "\"((?:[^\"\\\\]|\\\\.)*)\""));
    auto matches = pattern.globalMatch(content);
    while (matches.hasNext()) {
        const QString text = matches.next().captured(1);
        texts << (form ? unescapeXml(text) : unescapeCpp(text));
    }
    return texts;
}
}

class TestGitTranslations : public QObject
{
    Q_OBJECT
    TestHome home;
    QTranslator french;

private slots:
    void initTestCase()
    {
        QVERIFY(french.load(QString(KVL_TRANSLATIONS_DIR) + "/Translation_QEN_fr.qm"));
    }

    void everyTextHasItsFrenchTranslation()
    {
        const QList<QPair<QString, QString>> files = {
            {"launcher/git/gitwidget.cpp", "GitWidget"},
            {"launcher/git/gitwidget.ui", "GitWidget"},
            {"launcher/git/gitwidgetoperations.cpp", "GitWidget"},
            {"launcher/git/gitprompts.cpp", "GitWidget"},
            {"launcher/git/branchview.cpp", "GitWidget"},
            {"launcher/git/gitrepository.cpp", "GitRepository"},
            {"launcher/git/branchselector.ui", "BranchSelector"},
            {"launcher/server/serverversion.cpp", "ServerWidget"},
        };
        int checked = 0;
        for (const auto& file : files) {
            const QStringList texts = textsOf(file.first);
            QVERIFY2(!texts.isEmpty(), qPrintable(file.first));
            for (const QString& text : texts) {
                const QString translated = french.translate(file.second.toUtf8(), text.toUtf8());
                QVERIFY2(!translated.isEmpty(), qPrintable(file.first + ": " + text));
                ++checked;
            }
        }
        QVERIFY(checked > 60);
    }

    void panelSpeaksFrench()
    {
        QCoreApplication::installTranslator(&french);
        GitFixture fixture;
        fixture.clone('a', "velt");
        SplatWatcher splat;
        ModalScript modals;
        GitWidget panel('a', "velt", nullptr, nullptr);
        GitWidget missing('m', "enterprise", nullptr, nullptr);
        QCOMPARE(panel.findChild<QPushButton*>("bRefreshList")->text(), QString("Actualiser la liste"));
        QCOMPARE(panel.tabTitle(), QString("Communauté (master)"));
        QCOMPARE(missing.tabTitle(), QString("Entreprise (aucune branche trouvée)"));
        auto* header = panel.findChild<QScrollArea*>("scrollCommits")->widget()->findChild<QGroupBox*>("branchHeader");
        QCOMPARE(header->title(), QString("Branche : master"));
        QCOMPARE(header->findChild<QPushButton*>("bStash")->text(), QString("Remiser"));
        QCoreApplication::removeTranslator(&french);
    }
};

QTEST_MAIN(TestGitTranslations)
#include "test_gittranslations.moc"
