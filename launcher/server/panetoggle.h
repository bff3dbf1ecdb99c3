#pragma once

class QByteArray;
class QSplitter;

// "GIT terminal": gives the splitter's second pane the whole width, and the
// next time puts the pane sizes back as they were (a saved splitter state
// does not bring a collapsed pane back). `saved` holds the sizes meanwhile
// and is null otherwise.
void togglePaneWidth(QSplitter* splitter, QByteArray*& saved);
