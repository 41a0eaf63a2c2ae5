#pragma once

#include <QSortFilterProxyModel>

namespace voltarix::pictures {

// Stands between a file dialog's file system model and its lists. The model
// keeps the files the chosen filter does not match (only disabled), and this
// proxy hides them from the lists. So the dialog still knows such a file when
// its name is typed in full and lets it be opened, as the platform's dialog
// does, while the lists show only what the filter matches.
class MatchingFilesProxy : public QSortFilterProxyModel {
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    // The file system model sorts by true sizes and dates; this proxy keeps
    // the model's order instead of sorting the texts it shows.
    void sort(int column, Qt::SortOrder order) override;
    // Another filter chosen: the model disables other files now.
    void invalidateFilterNow() { invalidateFilter(); }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
};

} // namespace voltarix::pictures
