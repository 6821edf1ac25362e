#pragma once
// The texts a player reads or hears: written in Slovak where they are
// declared, shown from the catalogue of the language chosen at start-up.

#include <QtGlobal>  // QT_TRANSLATE_NOOP
#include <string>

namespace rt {

// The loaded catalogue's text for the Slovak `source` under `context`, or
// `source` itself when no catalogue has one. Named as Qt's own so that
// lupdate extracts every call with literal arguments; a text kept in a
// variable is marked where it is declared with QT_TRANSLATE_NOOP.
std::string translate(const char* context, const char* source);

}  // namespace rt
