#pragma once

#include "gitoperations.h"

#include <QString>
#include <QStringList>

class QWidget;

// The questions the git panel asks around its operations and the reports it
// gives of their results, each a modal box over the panel.
namespace GitPrompts {

enum class StashChoice { Stash, Keep, Cancel };
StashChoice askStashBeforeCheckout(QWidget* panel);
bool askPopAfterCheckout(QWidget* panel);
void checkoutFailed(QWidget* panel, const QString& branch, const GitOperations::Outcome& outcome);
// Before HEAD leaves commits no branch holds; true on Yes.
bool askLeaveDetachedHead(QWidget* panel, const QString& commit);
// `head` says what is checked out instead ("detached at eeb319a").
void needsCurrentBranch(QWidget* panel, const QString& operation, const QString& head);
// A step that failed (titled `failedTitle`) or was cancelled: which one, that
// nothing after it ran, and a stash left behind.
void stepNotDone(QWidget* panel, const QString& failedTitle, const GitOperations::Outcome& outcome);

void noRebaseTarget(QWidget* panel, const QString& onto);
void rebaseDone(QWidget* panel, const QString& branch, const QString& onto, const GitOperations::Outcome& outcome,
                bool stillInProgress);

// The new branch's name, proposed from the start point; empty when cancelled.
QString askNewBranchName(QWidget* panel, const QString& start);
void branchExists(QWidget* panel, const QString& name);
void noStartPoint(QWidget* panel, const QString& start);

void noDevelopmentRemote(QWidget* panel);
void updateDone(QWidget* panel, bool rebasing, const GitOperations::Outcome& outcome);

// The hash typed by the person; `accepted` false when cancelled.
QString askCommitHash(QWidget* panel, bool* accepted);
void cherryPickDone(QWidget* panel, const GitOperations::Outcome& outcome);

void nothingToClean(QWidget* panel);
// Lists what will be deleted; true only on Yes.
bool askClean(QWidget* panel, const QStringList& paths);
void cleanDone(QWidget* panel, const GitOperations::Outcome& outcome);

void cannotDeleteActive(QWidget* panel);
bool askDeleteWithoutUpstream(QWidget* panel);

void fetchAllDone(QWidget* panel, const GitOperations::Outcome& outcome);

}
