#pragma once

#include <QIdentityProxyModel>

/// The file list of Qt's own file dialog with sizes and modification times written in the program's
/// locale: the dialog's model writes them in the system's, which on a machine set to English gives
/// "1.46 KiB" and "10 Dec" beside Chinese captions.
class LocalizedFileModel : public QIdentityProxyModel {
    Q_OBJECT
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override;
};
