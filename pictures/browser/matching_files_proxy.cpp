#include "pictures/browser/matching_files_proxy.h"

namespace voltarix::pictures {

void MatchingFilesProxy::sort(int column, Qt::SortOrder order) {
    if (sourceModel() != nullptr)
        sourceModel()->sort(column, order);
}

// Folders always pass: the file system model never disables them.
bool MatchingFilesProxy::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    const QModelIndex index = sourceModel()->index(sourceRow, 0, sourceParent);
    return sourceModel()->flags(index).testFlag(Qt::ItemIsEnabled);
}

} // namespace voltarix::pictures
