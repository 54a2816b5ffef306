#pragma once

#include <QAbstractListModel>

#include <memory>

namespace quorlin {
class BetList;
}

/// The lines of a bet list in the numbered form ("0000001    01 02 03 04 05+06 07") for a list
/// view: a line's text is formed only when the view asks for it, so a list of millions of bets
/// costs no more than its compact form.
class BetListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit BetListModel(QObject* parent = nullptr);
    ~BetListModel() override;

    /// Shows `bets`; null shows nothing.
    void setBets(std::shared_ptr<const quorlin::BetList> bets);
    /// The list shown; never null.
    const std::shared_ptr<const quorlin::BetList>& bets() const { return bets_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::shared_ptr<const quorlin::BetList> bets_;
};
