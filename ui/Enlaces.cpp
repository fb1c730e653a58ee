#include "ui/Enlaces.h"

#include "data/DataSetModel.h"
#include "data/Interaccion.h"
#include "ui/CamposFecha.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

namespace cxp {

namespace {

enum Tipo { Linea, Fecha, Combo, Casilla, Memo };

// The lowest date a QDateEdit holds stands for null: it shows blank.
const QDate fechaNula(1752, 9, 14);

QString etiqueta(const Field& f) { return QStringLiteral("«%1»").arg(f.label()); }

}  // namespace

struct Enlaces::Enlace {
    QPointer<QWidget> widget;
    DataSet* ds = nullptr;
    QString campo;
    Tipo tipo = Linea;
    Claves claves;
    QString vacioMascara;   // a masked line edit's text when nothing is typed
    bool pendiente = false;  // the person changed the widget since it showed the field
    bool mostrando = false;  // the widget is being filled from the field
};

class Enlaces::Observador : public DataSetObserver {
public:
    Observador(Enlaces& e, DataSet& ds) : e_(e), ds_(&ds) { ds.addObserver(this); }
    ~Observador() override {
        if (ds_) ds_->removeObserver(this);
    }
    DataSet* dataSet() const { return ds_; }

    void didReset() override { e_.refrescarDe(ds_, true); }
    void didInsertRow(int) override { e_.refrescarDe(ds_, false); }
    void didRemoveRow(int) override { e_.refrescarDe(ds_, false); }
    void rowChanged(int row) override {
        if (row == ds_->currentRow()) e_.refrescarDe(ds_, false);
    }
    // A scroll drops what was pending unless a keystroke is putting the
    // dataset in edit (an insert into an empty dataset moves too).
    void currentChanged(int) override { e_.refrescarDe(ds_, e_.editando_ == nullptr); }
    void stateChanged() override {
        if (ds_->state() == DataSet::State::Browse) e_.refrescarDe(ds_, true);
    }
    void fieldsChanged() override { e_.refrescarDe(ds_, false); }
    void dataSetDestroyed() override {
        for (auto& en : e_.enlaces_)
            if (en->ds == ds_) en->ds = nullptr;
        ds_ = nullptr;
    }

private:
    Enlaces& e_;
    DataSet* ds_;
};

Enlaces::Enlaces(Interaccion& interaccion, QObject* parent) : QObject(parent), interaccion_(interaccion) {}

Enlaces::~Enlaces() = default;

QString Enlaces::textoDe(const Field& f, const fb::Value& v) {
    if (v.isNull()) return {};
    if (f.type() == FieldType::Memo || f.type() == FieldType::String) return v.toString();
    return DataSetModel::displayText(f, v);
}

QString Enlaces::avisoAmbiguo(const QString& texto, const Dinero& leido) {
    return QStringLiteral("«%1» se tomó como %2: un punto solo separa los decimales y una coma sola, los miles. "
                          "Para otro valor escríbalo sin separadores o con todos (1.500.000,50).")
        .arg(texto.trimmed(), leido.texto(2));
}

fb::Value Enlaces::valorDe(const Field& f, const QString& texto) {
    auto rechazar = [&]() -> fb::Value {
        throw DataSetError(QStringLiteral("%1: «%2» no es un valor válido.").arg(etiqueta(f), texto), f.name());
    };
    const QString t = texto.trimmed();
    if (t.isEmpty()) return {};
    switch (f.type()) {
        case FieldType::String:
        case FieldType::Memo: return texto;
        case FieldType::Integer: {
            bool ok = false;
            const qlonglong n = t.toLongLong(&ok);
            return ok ? fb::Value(int64_t(n)) : rechazar();
        }
        case FieldType::Decimal: {
            const auto d = Dinero::desdeTextoTecleado(t);
            return d ? toValue(*d) : rechazar();
        }
        case FieldType::Float: {
            bool ok = false;
            const double d = t.toDouble(&ok);
            return ok ? fb::Value(d) : rechazar();
        }
        case FieldType::Boolean:
            if (t.compare(QStringLiteral("S"), Qt::CaseInsensitive) == 0) return true;
            if (t.compare(QStringLiteral("N"), Qt::CaseInsensitive) == 0) return false;
            return rechazar();
        case FieldType::Date: {
            QDate d = QDate::fromString(t, QStringLiteral("yyyy/MM/dd"));
            if (!d.isValid()) d = QDate::fromString(t, QStringLiteral("yyyy-MM-dd"));
            return d.isValid() ? fb::Value(d) : rechazar();
        }
        case FieldType::Time: {
            QTime h = QTime::fromString(t, QStringLiteral("HH:mm:ss"));
            if (!h.isValid()) h = QTime::fromString(t, QStringLiteral("HH:mm"));
            return h.isValid() ? fb::Value(h) : rechazar();
        }
        case FieldType::DateTime: {
            QDateTime d = QDateTime::fromString(t, QStringLiteral("yyyy/MM/dd HH:mm:ss"));
            if (!d.isValid()) d = QDateTime::fromString(t, QStringLiteral("yyyy/MM/dd HH:mm"));
            if (!d.isValid()) d = QDateTime(QDate::fromString(t, QStringLiteral("yyyy/MM/dd")), QTime(0, 0));
            return d.isValid() ? fb::Value(d) : rechazar();
        }
        case FieldType::Blob: return rechazar();
    }
    return rechazar();
}

Enlaces::Observador& Enlaces::observadorDe(DataSet& ds) {
    for (auto& o : observadores_)
        if (o->dataSet() == &ds) return *o;
    observadores_.push_back(std::make_unique<Observador>(*this, ds));
    return *observadores_.back();
}

Enlaces::Enlace& Enlaces::agregar(QWidget* w, DataSet& ds, const QString& campo, int tipo) {
    observadorDe(ds);
    auto e = std::make_unique<Enlace>();
    e->widget = w;
    e->ds = &ds;
    e->campo = campo;
    e->tipo = Tipo(tipo);
    w->setProperty("campo", campo);
    if (w->objectName().isEmpty()) w->setObjectName(campo);
    w->installEventFilter(this);
    enlaces_.push_back(std::move(e));
    return *enlaces_.back();
}

QLineEdit* Enlaces::linea(QWidget* padre, DataSet& ds, const QString& campo, int ancho) {
    auto* e = new QLineEdit(padre);
    e->setObjectName(campo);
    // Amounts and rates keep their width: squeezed, they would cut digits.
    if (ancho > 0 && ds.field(campo).isNumeric()) e->setFixedWidth(ancho);
    else if (ancho > 0) e->setMaximumWidth(ancho);
    enlazar(e, ds, campo);
    return e;
}

void Enlaces::enlazar(QLineEdit* editor, DataSet& ds, const QString& campo, const QString& mascara) {
    Enlace& e = agregar(editor, ds, campo, Linea);
    if (!mascara.isEmpty()) {
        QLineEdit vacio;
        vacio.setInputMask(mascara);
        e.vacioMascara = vacio.text();
        editor->setInputMask(mascara);
    }
    if (ds.fieldIndex(campo) >= 0) {
        const Field& f = ds.field(campo);
        if (mascara.isEmpty() && f.type() == FieldType::String && f.size() > 0) editor->setMaxLength(f.size());
        if (f.isNumeric()) editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    Enlace* p = &e;
    connect(editor, &QLineEdit::textEdited, this, [this, p] {
        if (p->mostrando) return;
        p->pendiente = true;
        comenzarEdicion(*p);
    });
    mostrar(e);
}

void Enlaces::enlazar(QDateEdit* editor, DataSet& ds, const QString& campo) {
    Enlace& e = agregar(editor, ds, campo, Fecha);
    prepararFecha(editor);
    editor->setMinimumDate(fechaNula);
    editor->setSpecialValueText(QStringLiteral(" "));
    editor->setCalendarPopup(true);
    Enlace* p = &e;
    connect(editor, &QDateEdit::dateChanged, this, [this, p] {
        if (p->mostrando) return;
        p->pendiente = true;
        comenzarEdicion(*p);
    });
    connect(editor, &QDateEdit::editingFinished, this, [this, p] { confirmar(*p); });
    // A day picked in the calendar is final: the editor may never get the focus.
    connect(editor->calendarWidget(), &QCalendarWidget::clicked, this, [this, p] {
        QTimer::singleShot(0, this, [this, p] { confirmar(*p); });
    });
    mostrar(e);
}

void Enlaces::enlazar(QComboBox* combo, DataSet& ds, const QString& campo, const Claves& claves) {
    Enlace& e = agregar(combo, ds, campo, Combo);
    e.claves = claves;
    combo->clear();
    for (const auto& [clave, texto] : claves) combo->addItem(texto, clave);
    Enlace* p = &e;
    connect(combo, &QComboBox::activated, this, [this, p] {
        if (p->mostrando) return;
        p->pendiente = true;
        if (comenzarEdicion(*p)) confirmar(*p);
    });
    mostrar(e);
}

void Enlaces::cambiarClaves(QComboBox* combo, const Claves& claves) {
    for (const auto& e : enlaces_) {
        if (e->widget != combo || e->tipo != Combo || e->claves == claves) continue;
        e->claves = claves;
        e->mostrando = true;
        combo->clear();
        for (const auto& [clave, texto] : claves) combo->addItem(texto, clave);
        e->mostrando = false;
        mostrar(*e);
    }
}

void Enlaces::enlazar(QCheckBox* casilla, DataSet& ds, const QString& campo) {
    Enlace& e = agregar(casilla, ds, campo, Casilla);
    Enlace* p = &e;
    connect(casilla, &QCheckBox::clicked, this, [this, p] {
        if (p->mostrando) return;
        p->pendiente = true;
        if (comenzarEdicion(*p)) confirmar(*p);
    });
    mostrar(e);
}

void Enlaces::enlazar(QPlainTextEdit* memo, DataSet& ds, const QString& campo) {
    Enlace& e = agregar(memo, ds, campo, Memo);
    Enlace* p = &e;
    connect(memo, &QPlainTextEdit::textChanged, this, [this, p] {
        if (p->mostrando) return;
        p->pendiente = true;
        comenzarEdicion(*p);
    });
    mostrar(e);
}

void Enlaces::mostrar(Enlace& e) {
    QWidget* w = e.widget;
    if (!w) return;
    DataSet* ds = e.ds;
    const bool hay = ds && ds->isOpen() && ds->fieldIndex(e.campo) >= 0;
    const Field* f = hay ? &ds->field(e.campo) : nullptr;
    const fb::Value nulo;
    const fb::Value& v = hay && !ds->isEmpty() ? ds->value(e.campo) : nulo;
    const bool soloLectura = !f || f->readOnly();
    e.mostrando = true;
    switch (e.tipo) {
        case Linea: {
            auto* le = static_cast<QLineEdit*>(w);
            le->setText(f ? textoDe(*f, v) : QString());
            le->setModified(false);
            le->setReadOnly(soloLectura);
            break;
        }
        case Fecha: {
            auto* de = static_cast<QDateEdit*>(w);
            QDate d;
            if (!v.isNull()) {
                try {
                    d = v.toDate();
                } catch (const std::exception&) {
                }
            }
            de->setDate(d.isValid() ? d : fechaNula);
            de->setReadOnly(soloLectura);
            break;
        }
        case Combo: {
            auto* cb = static_cast<QComboBox*>(w);
            const QString clave = v.isNull() || !f ? QString() : plainText(v);
            int i = -1;
            for (int k = 0; k < e.claves.size(); ++k)
                if (e.claves[k].first == clave) i = k;
            cb->setCurrentIndex(v.isNull() ? -1 : i);
            cb->setEnabled(!soloLectura);
            break;
        }
        case Casilla: {
            auto* cb = static_cast<QCheckBox*>(w);
            bool marcada = false;
            if (!v.isNull()) {
                if (v.is<bool>())
                    marcada = v.toBool();
                else
                    marcada = v.toString().trimmed().compare(QStringLiteral("S"), Qt::CaseInsensitive) == 0;
            }
            cb->setChecked(marcada);
            cb->setEnabled(!soloLectura);
            break;
        }
        case Memo: {
            auto* pe = static_cast<QPlainTextEdit*>(w);
            const QString t = v.isNull() ? QString() : v.toString();
            if (pe->toPlainText() != t) pe->setPlainText(t);
            pe->setReadOnly(soloLectura);
            break;
        }
    }
    e.pendiente = false;
    e.mostrando = false;
}

void Enlaces::refrescarDe(const DataSet* ds, bool forzar) {
    for (auto& e : enlaces_)
        if (e->ds == ds && (forzar ? e.get() != editando_ : !e->pendiente)) mostrar(*e);
}

void Enlaces::refrescar() {
    for (auto& e : enlaces_) mostrar(*e);
}

// The first change the person makes: a browsing dataset goes to edit, an
// empty one gets its first row. Refused: the widget shows the field again.
bool Enlaces::comenzarEdicion(Enlace& e) {
    DataSet* ds = e.ds;
    if (!ds || !ds->isOpen()) {
        mostrar(e);
        return false;
    }
    if (ds->state() != DataSet::State::Browse) return true;
    editando_ = &e;
    try {
        if (ds->isEmpty())
            ds->append();
        else
            ds->edit();
        editando_ = nullptr;
        return true;
    } catch (const DataSetError& err) {
        editando_ = nullptr;
        fallo(e, err, true);
    } catch (const std::exception& err) {
        editando_ = nullptr;
        fallo(e, err, false);
    }
    return false;
}

// A line edit whose text someone else took back (a "?" lookup) has
// nothing pending any more.
static void revisarPendiente(QWidget* w, bool& pendiente, int tipo) {
    if (tipo == Linea && w && !static_cast<QLineEdit*>(w)->isModified()) pendiente = false;
}

bool Enlaces::confirmar(Enlace& e) {
    revisarPendiente(e.widget, e.pendiente, e.tipo);
    if (!e.pendiente || !e.widget) return true;
    DataSet* ds = e.ds;
    if (!ds || !ds->isOpen()) {
        mostrar(e);
        return true;
    }
    // Cleared first: a handler that opens a box or moves the focus leaves
    // this widget again, and that must not set the value twice.
    e.pendiente = false;
    QString aviso;
    try {
        const Field& f = ds->field(e.campo);
        fb::Value v;
        switch (e.tipo) {
            case Linea: {
                const QString t = static_cast<QLineEdit*>(e.widget.data())->text();
                v = !e.vacioMascara.isEmpty() && t == e.vacioMascara ? fb::Value() : valorDe(f, t);
                if (f.type() == FieldType::Decimal) {
                    bool ambiguo = false;
                    if (const auto d = Dinero::desdeTextoTecleado(t, &ambiguo); d && ambiguo)
                        aviso = avisoAmbiguo(t, *d);
                }
                break;
            }
            case Fecha: {
                const QDate d = static_cast<QDateEdit*>(e.widget.data())->date();
                v = d == fechaNula ? fb::Value() : fb::Value(d);
                break;
            }
            case Combo: {
                const int i = static_cast<QComboBox*>(e.widget.data())->currentIndex();
                v = i < 0 ? fb::Value() : valorDe(f, e.claves[i].first);
                break;
            }
            case Casilla: {
                const bool marcada = static_cast<QCheckBox*>(e.widget.data())->isChecked();
                v = f.type() == FieldType::Boolean ? fb::Value(marcada)
                                                   : fb::Value(marcada ? QStringLiteral("S") : QStringLiteral("N"));
                break;
            }
            case Memo: {
                const QString t = static_cast<QPlainTextEdit*>(e.widget.data())->toPlainText();
                v = t.isEmpty() ? fb::Value() : fb::Value(t);
                break;
            }
        }
        if (ds->state() == DataSet::State::Browse && !comenzarEdicion(e)) return false;
        ds->setValue(e.campo, v);
        // Unchanged values notify nothing: show the field's own form anyway
        // ("1234.5" typed over 1,234.50).
        if (e.widget && !e.pendiente) mostrar(e);
        if (!aviso.isEmpty()) interaccion_.advertencia(aviso);
        return true;
    } catch (const DataSetError& err) {
        fallo(e, err, true);
    } catch (const std::exception& err) {
        fallo(e, err, false);
    }
    return false;
}

void Enlaces::fallo(Enlace& e, const std::exception& error, bool esDelDataSet) {
    mostrar(e);
    if (esDelDataSet)
        interaccion_.error(static_cast<const DataSetError&>(error).message());
    else if (manejador_)
        manejador_(error);
    else
        interaccion_.error(QString::fromUtf8(error.what()));
    // Back to the field to correct it, once the box has gone.
    if (QWidget* w = e.widget) QTimer::singleShot(0, w, [w] { w->setFocus(Qt::OtherFocusReason); });
}

bool Enlaces::confirmar() {
    bool ok = true;
    for (size_t i = 0; i < enlaces_.size(); ++i)
        if (!confirmar(*enlaces_[i])) ok = false;
    return ok;
}

QWidget* Enlaces::widgetDe(const QString& campo) const {
    for (const auto& e : enlaces_)
        if (e->campo.compare(campo, Qt::CaseInsensitive) == 0 && e->widget) return e->widget;
    return nullptr;
}

bool Enlaces::enfocar(const QString& campo) {
    QWidget* w = widgetDe(campo);
    if (!w) return false;
    w->setFocus(Qt::OtherFocusReason);
    if (auto* le = qobject_cast<QLineEdit*>(w)) le->selectAll();
    return true;
}

bool Enlaces::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::FocusOut) {
        const auto razon = static_cast<QFocusEvent*>(evento)->reason();
        // A box or a menu opening over the screen is no leaving of the field.
        if (razon != Qt::ActiveWindowFocusReason && razon != Qt::PopupFocusReason) {
            for (auto& e : enlaces_)
                if (e->widget == objeto && (e->tipo == Linea || e->tipo == Memo)) {
                    revisarPendiente(e->widget, e->pendiente, e->tipo);
                    if (e->pendiente)
                        confirmar(*e);
                    else
                        mostrar(*e);  // e.g. a "?" lookup took the text back
                    break;
                }
        }
    }
    return QObject::eventFilter(objeto, evento);
}

}  // namespace cxp
