#include "ui/AddressListModel.h"

#include "addresslist/AddressList.h"

namespace hoplark {

AddressListModel::AddressListModel(const AddressList& list, QObject* parent)
    : QAbstractListModel(parent), m_list(list) {}

int AddressListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_list.colAdr.size());
}

QVariant AddressListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_list.colAdr.size())
        return {};
    return m_list.Row(index.row());
}

void AddressListModel::Reset() {
    beginResetModel();
    endResetModel();
}

} // namespace hoplark
