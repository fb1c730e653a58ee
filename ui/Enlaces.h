#pragma once
// Data-aware fields: a widget shows a DataSet field of the current row and
// follows scrolls and changes; what the person types goes back to the
// field when they leave it (or before a command runs, through confirmar):
// the first keystroke puts a browsing DataSet in edit, the value is set on
// leaving. A value the DataSet refuses is shown as an error and the widget
// goes back to the field's value.
#include "data/DataSet.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace cxp {

class Interaccion;

class Enlaces : public QObject {
    Q_OBJECT
public:
    // A combo's choices: the key stored in the field and the caption shown.
    using Claves = QList<std::pair<QString, QString>>;

    explicit Enlaces(Interaccion& interaccion, QObject* parent = nullptr);
    ~Enlaces() override;

    // Text, numbers and money ("1,234.50" whatever the locale; typed with
    // or without thousands), dates as yyyy/MM/dd. Without a mask a text
    // field takes at most its size in characters. Numbers align right.
    void enlazar(QLineEdit* editor, DataSet& ds, const QString& campo, const QString& mascara = {});
    // A new line editor of the field, bound, named after it: a number as wide
    // as given, a text at most that wide (no width given: as the layout says).
    QLineEdit* linea(QWidget* padre, DataSet& ds, const QString& campo, int ancho);
    // Shown as yyyy/MM/dd; a null date shows blank.
    void enlazar(QDateEdit* editor, DataSet& ds, const QString& campo);
    // The caption of the field's key; a key not in the list shows nothing.
    void enlazar(QComboBox* combo, DataSet& ds, const QString& campo, const Claves& claves);
    // A bound combo's choices replaced (a list edited elsewhere); the field's
    // key shown again.
    void cambiarClaves(QComboBox* combo, const Claves& claves);
    // "S" ticked, "N" (or null) not; a Boolean field works too.
    void enlazar(QCheckBox* casilla, DataSet& ds, const QString& campo);
    // A memo: every line of the text.
    void enlazar(QPlainTextEdit* memo, DataSet& ds, const QString& campo);

    // Writes every pending edit to its field. False when a value was
    // refused (the error was shown): the command that asked must stop.
    bool confirmar();
    // Every widget from its field again, pending edits dropped.
    void refrescar();

    // Puts the focus on the widget of a field (case-insensitive).
    bool enfocar(const QString& campo);
    QWidget* widgetDe(const QString& campo) const;

    // Where failures that are no DataSetError go (a change handler that
    // reached the database): the central error handler. Without it they
    // show as an error box.
    void setManejadorErrores(std::function<void(const std::exception&)> manejador) {
        manejador_ = std::move(manejador);
    }

    // The text a line edit shows for a value.
    static QString textoDe(const Field& campo, const fb::Value& valor);
    // What the person typed as the field's kind of value; empty text is
    // null. Throws DataSetError for text that is no value of the field.
    static fb::Value valorDe(const Field& campo, const QString& texto);
    // What the person is told when an amount's lone separator could mean
    // either thing and the program's rule decided.
    static QString avisoAmbiguo(const QString& texto, const Dinero& leido);

private:
    struct Enlace;
    class Observador;
    Enlace& agregar(QWidget* w, DataSet& ds, const QString& campo, int tipo);
    Observador& observadorDe(DataSet& ds);
    void mostrar(Enlace& e);
    void refrescarDe(const DataSet* ds, bool forzar);
    bool comenzarEdicion(Enlace& e);
    bool confirmar(Enlace& e);
    void fallo(Enlace& e, const std::exception& error, bool esDelDataSet);
    bool eventFilter(QObject* objeto, QEvent* evento) override;

    Interaccion& interaccion_;
    std::function<void(const std::exception&)> manejador_;
    std::vector<std::unique_ptr<Enlace>> enlaces_;
    std::vector<std::unique_ptr<Observador>> observadores_;
    const Enlace* editando_ = nullptr;  // being put in edit: its text stays
};

}  // namespace cxp
