#pragma once

class QTermWidget;

// The terminal's cursor shape, read off its rendering: an unstarted terminal
// shows only the cursor, so it is compared with a plain library terminal of
// the same size and font drawn with each shape in turn. -1 when none matches,
// -2 when the three shapes cannot be told apart.
int cursorShapeOf(QTermWidget* terminal);
