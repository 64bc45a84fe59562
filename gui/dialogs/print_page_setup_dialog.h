#pragma once

#include <QDate>
#include <QDialog>
#include <array>
#include <string>

class QLineEdit;

namespace kestro {

// "Print Page Setup" (template 178): the five title texts of the printed page, Company
// (1046), Title (1048), Designed by (1050), Revision (1052) and Last Update (1054), and
// "Today" (1031), which writes the date into Last Update as month/day/year.
class CPrintPageSetupDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kEditIds[5] = {1046, 1048, 1050, 1052, 1054};
    static constexpr int kTodayId = 1031;

    CPrintPageSetupDlg(const std::array<std::string, 5>& titleInfo, QWidget* parent = nullptr);

    std::array<std::string, 5> TitleInfo() const;
    // Tests fix the date that "Today" writes.
    void SetToday(const QDate& date) { m_today = date; }
    void FillToday();

private:
    std::array<QLineEdit*, 5> m_edits{};
    QDate m_today;
};

// A date as "%m/%d/%Y".
QString FormatTitleDate(const QDate& date);

}  // namespace kestro
