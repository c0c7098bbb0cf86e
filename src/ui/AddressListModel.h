#pragma once

#include <QAbstractListModel>

namespace hoplark {

class AddressList;

// The rows of the address list box (LsAdd): a view of AddressList::rows, so that a list of
// any length is shown without copying it into items.
class AddressListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit AddressListModel(const AddressList& list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Call after the list has been replaced.
    void Reset();

private:
    const AddressList& m_list;
};

} // namespace hoplark
