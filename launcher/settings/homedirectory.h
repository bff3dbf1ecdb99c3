#pragma once

#include <QString>

// The user's home: $HOME, or the password database's entry when it is unset.
QString homeDirectory();
