#pragma once

#include <QString>

// Every text the user sees passes through here on its way to the screen. The English wording is
// the key; without a language, or without a line for the text, the text comes back as it is.
QString Translate(const QString& text);
