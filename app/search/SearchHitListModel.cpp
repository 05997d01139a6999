#include "app/search/SearchHitListModel.h"

#include "app/search/SearchBibleView.h"

#include <QString>

namespace lumenscroll {

SearchHitListModel::SearchHitListModel(const SearchBibleView& view, QObject* parent)
    : QAbstractListModel(parent)
    , view_(view) {}

SearchHitListModel::~SearchHitListModel() = default;

void SearchHitListModel::reload() {
    beginResetModel();
    endResetModel();
}

int SearchHitListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(view_.foundWordArray->size());
}

QVariant SearchHitListModel::data(const QModelIndex& index, int role) const {
    const auto& lines = view_.foundWordArray();
    if (role != Qt::DisplayRole || !index.isValid() || index.row() < 0 ||
        static_cast<std::size_t>(index.row()) >= lines.size()) {
        return {};
    }
    return QString::fromStdString(lines[static_cast<std::size_t>(index.row())]);
}

} // namespace lumenscroll
