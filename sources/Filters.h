// Which files the add commands offer and take: the open dialogs' filters (written as
// "Description|*.a;*.b|..." and translated to the file dialog's own form) and the extension
// rule of the folder command.
#pragma once

#include <QString>

namespace sources {

// The filter of OpenDialog1 (the single-format direction), exactly as the product ships it.
extern const QString OpenDialog1Filter;

// "Desc|*.a;*.b|Desc2|*.c;" as the file dialog's "Desc (*.a *.b);;Desc2 (*.c)": a description's
// own trailing "(...)" is replaced by the patterns, empty patterns are dropped and "*.*" (every
// file, dotted or not) becomes "*". Patterns are otherwise kept as written.
QString ToQtFilter(const QString& filter);

// True when the folder command takes the entry: in the single-format direction its lower-cased
// extension is one of the listed video extensions; otherwise it is not empty and occurs anywhere
// in the edition's filter text.
bool TakeFolderEntry(const QString& fileName, bool singleFormatMode, const QString& editionFilter);

// The extension with its dot (".avi"), empty when the name has no dot.
QString ExtensionOf(const QString& fileName);

} // namespace sources
