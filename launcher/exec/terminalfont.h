#pragma once

#include <QFont>

// The font of the launcher's terminals. The terminal library draws a grid of
// equal cells and warns at every start when its font is not fixed-width.
namespace TerminalFont {

// The system's fixed-width font when it really is fixed-width, otherwise
// "DejaVu Sans Mono".
QFont choose();

// Makes the generic family the library asks for while it is being built
// ("Monospace") resolve to the chosen font, so that a terminal is fixed-width
// from its construction on. Safe to call more than once.
void prepare();

}
