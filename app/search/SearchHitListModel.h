#pragma once

#include <QAbstractListModel>

namespace lumenscroll {

class SearchBibleView;

// The search page's hit lines as a list model: row n is entry n of foundWordArray, turned into
// text only when the list asks for it, so that twenty thousand hits cost twenty thousand
// strings and no widgets.
class SearchHitListModel : public QAbstractListModel {
    Q_OBJECT

public:
    explicit SearchHitListModel(const SearchBibleView& view, QObject* parent = nullptr);
    ~SearchHitListModel() override;

    // The page's lists were replaced.
    void reload();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    const SearchBibleView& view_;
};

} // namespace lumenscroll
