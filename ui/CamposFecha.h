#pragma once
// Date boxes as a clerk types them: every one shows yyyy/MM/dd (a date and
// time box yyyy/MM/dd HH:mm:ss), and digits typed over a selected date
// replace it whole ("20261207", "2026/12/07", "2026/1/7") without clearing
// it first; the date is taken when it is complete or the box is left. A
// date that does not exist leaves the one there was, with a beep.
#include <QDate>
#include <QObject>
#include <QString>

class QDateTimeEdit;

namespace cxp {

// Prepares one box; doing it again only puts its typing first among the
// box's event filters.
void prepararFecha(QDateTimeEdit* editor);

// The date typed: eight digits yyyymmdd, or year/month/day with a one or
// two digit month and day ("-" as well as "/"). Invalid when it is neither
// or names no day.
QDate fechaTecleada(const QString& texto);

// Installed once on the application: every date box, wherever it is made
// (a screen's field, a grid's cell editor), is prepared when first shown.
class FechasDelPrograma : public QObject {
    Q_OBJECT
public:
    explicit FechasDelPrograma(QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
};

}  // namespace cxp
