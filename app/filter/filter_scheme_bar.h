#pragma once

#include "filter/total_filter.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

class QComboBox;

/// The total filter's named schemes: a combo box of the scheme files in the program's scheme
/// folder, 保存方案 (asks a name, then writes the conditions in use) and 删除方案 (asks first).
/// Choosing a name reads the scheme; a refused file is reported naming its line.
class FilterSchemeBar : public QWidget {
    Q_OBJECT
public:
    /// The conditions to save, or nothing with the message why not.
    using Source = std::function<std::optional<quorlin::TotalFilterSettings>(QString& message)>;
    /// The number space a scheme is read against.
    using SpaceOf = std::function<quorlin::FilterSpace()>;

    FilterSchemeBar(const QString& folder, Source source, SpaceOf space, QWidget* parent = nullptr);

    /// Lists the scheme files again, keeping the current name when it is still there.
    void refresh();
    /// Chooses the scheme chosen or saved last, when it is still listed (nothing else when not).
    void chooseLast();

signals:
    void schemeChosen(const quorlin::TotalFilterSettings& settings);

protected:
    /// Files put into the folder meanwhile are offered when the window shows again.
    void showEvent(QShowEvent* event) override;

private:
    void save();
    void remove();
    void choose(int index);
    QString pathOf(const QString& name) const;

    QString folder_;
    Source source_;
    SpaceOf space_;
    QComboBox* cbbfangan_;
};
