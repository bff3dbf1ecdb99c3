#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

// Reading the CI service's build pages: request URLs, the line-oriented tag
// walker, and the colour of a branch's latest build.
namespace CiStatus {

// "git-<code host with '.' as '-'>-<organisation>-<repo>-<number>"
QString slug(const QString& repo, bool isVersion);
// "http://<CI host>/vettor/repo/<slug>?search=<branch>"
QString pageUrl(const QString& repo, bool isVersion, const QString& branch);
// The branch a reply is about: what follows the last "?search=".
QString branchOfUrl(const QString& url);

// The walk path to the build table's body.
const QStringList& tablePath();

// Returns the lines of the element reached by `path`, each tag opening and
// closing on its own line; empty when the path is not completed.
QStringList navigate(QString& html, QStringList path);

// The status cell line of the last table row naming <b>branch</b>; empty when
// no row names it or the row has no cell with a class.
QString statusCell(const QStringList& tableLines, const QString& branch);

// The colour the cell's classes give, later classes winning; invalid when the
// cell names none.
QColor colourOf(const QString& cellLine);

// Whole page to colour in one go: navigate, statusCell, colourOf.
QColor colourForBranch(QString html, const QString& branch);

}
