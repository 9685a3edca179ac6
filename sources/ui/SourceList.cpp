#include "sources/ui/SourceList.h"

SourceList::SourceList(MainContext& ctx) : ctx_(ctx) {}
void SourceList::AddSourceFiles() {}
void SourceList::AddSourceFolder() {}
void SourceList::RemoveSelectedSources() {}
void SourceList::ClearSources() {}
void SourceList::RefreshOutputSizes() {}
void SourceList::AddPaths(const QStringList&) {}
