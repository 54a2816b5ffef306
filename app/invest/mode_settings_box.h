#pragma once

#include "invest/mode_files.h"
#include "invest/mode_search.h"

#include <QGroupBox>

#include <cstdint>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;

/// grptozi, the settings of the investment-mode window: the four lists of the rule, the money
/// fields, 总体赢余 and the two check boxes. Clearing 间隔模式 puts the observation lists on
/// their first items and locks them.
class ModeSettingsBox : public QGroupBox {
    Q_OBJECT
public:
    explicit ModeSettingsBox(QWidget* parent = nullptr);

    /// The settings as the controls hold them; the play type is the window's.
    quorlin::ModeForm form(quorlin::PlayType playType) const;
    void setForm(const quorlin::ModeForm& form);
    /// 清空: every list on its first item, the fields at 10000, 100000, 100, 1000 and 10, both boxes ticked.
    void clear();
    /// Puts the lists the search walks on the setting found.
    void selectSearchPoint(const quorlin::ModeSearchPoint& point);
    /// 总体赢余.
    void setSurplus(std::int64_t surplus);
    /// The six rows of the settings printout, left and right entry each.
    std::vector<std::pair<QString, QString>> printEntries() const;

private:
    QComboBox* addList(const char* name, const QString& label, int first, int last);
    QLineEdit* addField(const char* name, const QString& label, const QString& text);
    void chksepmodeClick(bool ticked);

    QComboBox* comsepindex_;
    QComboBox* comsepnum_;
    QComboBox* comtozisep_;
    QComboBox* comtozirep_;
    QLineEdit* edtsinmax_;
    QLineEdit* edtallmax_;
    QLineEdit* edtjushu_;
    QLineEdit* edtoutofsin_;
    QLineEdit* edtlirun_;
    QLineEdit* edtallwin_;
    QCheckBox* chkyuji_;
    QCheckBox* chksepmode_;
};
