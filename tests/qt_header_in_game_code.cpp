// A game file that reaches for Qt.  The GameCodeCannotIncludeQt check
// compiles it with the game library's include paths and defines and expects
// the compiler to find no such header: the game talks to the platform only.
#include <QString>

QString GameTextThroughQt() { return QString(); }
