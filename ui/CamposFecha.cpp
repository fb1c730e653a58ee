#include "ui/CamposFecha.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpression>
#include <QTimeEdit>

namespace cxp {

namespace {

const char* const kTecleo = "cxpTecleoFecha";

// Holds what the person types over a selected date until it is a date.
class TecleoFecha : public QObject {
public:
    explicit TecleoFecha(QDateTimeEdit* editor) : QObject(editor), editor_(editor) {}

    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (objeto != editor_) return false;
        if (evento->type() == QEvent::FocusOut) {
            if (activo_) terminar();
            return false;
        }
        if (evento->type() != QEvent::KeyPress || editor_->isReadOnly()) return false;
        auto* tecla = static_cast<QKeyEvent*>(evento);
        const QString t = tecla->text();
        const bool digito = t.size() == 1 && t[0].isDigit();
        const bool barra = t == QLatin1String("/") || t == QLatin1String("-");
        const bool modificada = tecla->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
        if (!activo_) {
            if (!digito || modificada || !reemplaza()) return false;
            activo_ = true;
            anterior_ = linea()->text();
            fechaAnterior_ = editor_->date();
            escrito_.clear();
        }
        if ((digito || barra) && !modificada) {
            if (escrito_.size() < 10) escrito_ += barra ? QStringLiteral("/") : t;
            static const QRegularExpression completa(QStringLiteral("^(\\d{8}|\\d{4}/\\d{1,2}/\\d{2})$"));
            if (completa.match(escrito_).hasMatch()) {
                terminar();
            } else {
                linea()->setText(escrito_);
                linea()->setCursorPosition(int(escrito_.size()));
            }
            return true;
        }
        if (tecla->key() == Qt::Key_Backspace) {
            escrito_.chop(1);
            if (escrito_.isEmpty()) {
                activo_ = false;
                if (editor_->date() != fechaAnterior_) editor_->setDate(fechaAnterior_);
                linea()->setText(anterior_);
                linea()->selectAll();
            } else {
                linea()->setText(escrito_);
            }
            return true;
        }
        if (tecla->key() == Qt::Key_Escape) {
            activo_ = false;
            if (editor_->date() != fechaAnterior_) editor_->setDate(fechaAnterior_);
            linea()->setText(anterior_);
            return false;
        }
        // Enter, Tab or any other key: what was typed is taken first.
        terminar();
        return false;
    }

private:
    QLineEdit* linea() const { return editor_->findChild<QLineEdit*>(); }

    // The whole date (or its first part, as after Tab) is selected, or the
    // box is blank: what is typed is a new date.
    bool reemplaza() const {
        QLineEdit* l = linea();
        if (!l) return false;
        if (editor_->dateTime() == editor_->minimumDateTime() && !editor_->specialValueText().isEmpty()) return true;
        return l->hasSelectedText() && l->selectionStart() == 0;
    }

    void terminar() {
        activo_ = false;
        const QDate fecha = fechaTecleada(escrito_);
        const bool valida = fecha.isValid() && fecha >= editor_->minimumDate() && fecha <= editor_->maximumDate();
        if (valida) {
            // The box may have taken the date already from a text it could
            // read ("2026/1/7"): then it is only shown in its form.
            if (fecha != editor_->date())
                editor_->setDate(fecha);
            else
                linea()->setText(QLocale::c().toString(fecha, editor_->displayFormat()));
            linea()->setCursorPosition(int(linea()->text().size()));
            return;
        }
        // A half-typed date the box read on the way is undone too.
        if (editor_->date() != fechaAnterior_) editor_->setDate(fechaAnterior_);
        linea()->setText(anterior_);
        QApplication::beep();
    }

    QDateTimeEdit* editor_;
    bool activo_ = false;
    QString escrito_;
    QString anterior_;
    QDate fechaAnterior_;
};

}  // namespace

QDate fechaTecleada(const QString& texto) {
    const QString t = QString(texto).replace(u'-', u'/');
    static const QRegularExpression ocho(QStringLiteral("^(\\d{4})(\\d{2})(\\d{2})$"));
    static const QRegularExpression partes(QStringLiteral("^(\\d{4})/(\\d{1,2})/(\\d{1,2})$"));
    QRegularExpressionMatch m = ocho.match(t);
    if (!m.hasMatch()) m = partes.match(t);
    if (!m.hasMatch()) return {};
    return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
}

void prepararFecha(QDateTimeEdit* editor) {
    if (!editor || qobject_cast<QTimeEdit*>(editor)) return;
    QObject* tecleo = editor->findChild<QObject*>(QLatin1String(kTecleo), Qt::FindDirectChildrenOnly);
    if (!tecleo) {
        const bool conHora = editor->displayedSections() & QDateTimeEdit::TimeSections_Mask;
        editor->setDisplayFormat(conHora ? QStringLiteral("yyyy/MM/dd HH:mm:ss") : QStringLiteral("yyyy/MM/dd"));
        tecleo = new TecleoFecha(editor);
        tecleo->setObjectName(QLatin1String(kTecleo));
    }
    // Installed again it goes first: before a filter put since (a grid's
    // delegate takes the box's date on Enter or on leaving).
    editor->removeEventFilter(tecleo);
    editor->installEventFilter(tecleo);
}

FechasDelPrograma::FechasDelPrograma(QObject* parent) : QObject(parent) {}

bool FechasDelPrograma::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::Polish)
        if (auto* editor = qobject_cast<QDateTimeEdit*>(objeto)) prepararFecha(editor);
    return QObject::eventFilter(objeto, evento);
}

}  // namespace cxp
