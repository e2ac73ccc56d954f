#pragma once
#include <QFont>

// The nearest to the faces the dialogs were designed with: Liberation Sans,
// which the set-up installs, else the platform's sans-serif face.
QFont Sans_Font(bool bold);

// Bold, 13 pixels high, like the system font of the design.
QFont System_Font();
