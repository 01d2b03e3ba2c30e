#pragma once

class QWidget;
class QMenu;

namespace lang {

// Puts every text of a window through Translate once, when the window is made: its caption,
// and the captions, hints and items of its labels, buttons, check boxes, group boxes, tabs,
// lists, combo boxes, column headers and menus. A widget whose texts must stay as they are (a
// list of font names, of numbers) carries the property "untranslated" set to true.
// Does nothing unless a language with at least one line is active.
void applyLanguage(QWidget* window);
void applyLanguage(QMenu* menu);

// Marks a control whose texts its window sets translated itself, so the pass leaves them alone.
template <typename W> W* ownTexts(W* widget)
{
    widget->setProperty("untranslated", true);
    return widget;
}

} // namespace lang
