#include "ui/Teclado.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

namespace cxp {

Teclado::Teclado(QWidget* pantalla) : QObject(pantalla), pantalla_(pantalla) {
    // Application-wide, so that the screen sees its keys before the
    // focused widget does (a line edit would keep Enter to itself).
    qApp->installEventFilter(this);
}

QKeyCombination Teclado::normal(QKeyCombination tecla) {
    Qt::Key k = tecla.key();
    if (k == Qt::Key_Enter) k = Qt::Key_Return;
    return QKeyCombination(tecla.keyboardModifiers() & ~Qt::KeypadModifier, k);
}

void Teclado::asignar(QKeyCombination tecla, Comando comando) {
    quitar(tecla);
    asignaciones_.push_back({nullptr, normal(tecla), std::move(comando)});
}

void Teclado::asignarEn(QWidget* donde, QKeyCombination tecla, Comando comando) {
    const QKeyCombination t = normal(tecla);
    std::erase_if(asignaciones_, [&](const Asignacion& a) { return a.donde == donde && a.tecla == t; });
    asignaciones_.push_back({donde, t, std::move(comando)});
}

void Teclado::quitar(QKeyCombination tecla) {
    const QKeyCombination t = normal(tecla);
    std::erase_if(asignaciones_, [&](const Asignacion& a) { return a.donde.isNull() && a.tecla == t; });
}

void Teclado::busqueda(QLineEdit* campo, std::function<void(const QString&)> abrir) {
    busquedas_.push_back({campo, std::move(abrir)});
}

bool Teclado::pideBusqueda(const QString& texto) {
    const QString t = texto.trimmed();
    return t.startsWith(u'?') || t.endsWith(u'?');
}

QString Teclado::sinInterrogacion(const QString& texto) {
    QString t = texto.trimmed();
    while (t.startsWith(u'?')) t.remove(0, 1);
    while (t.endsWith(u'?')) t.chop(1);
    return t.trimmed();
}

bool Teclado::dentro(QWidget* w) const {
    return w && pantalla_ && (w == pantalla_ || pantalla_->isAncestorOf(w));
}

const Teclado::Asignacion* Teclado::buscar(QKeyCombination tecla, QWidget* foco) const {
    const Asignacion* general = nullptr;
    const Asignacion* local = nullptr;
    int profundidad = -1;
    for (const Asignacion& a : asignaciones_) {
        if (a.tecla != tecla) continue;
        if (a.donde.isNull()) {
            general = &a;
            continue;
        }
        // The innermost `donde` holding the focus wins.
        int p = 0;
        for (QWidget* w = foco; w; w = w->parentWidget(), ++p)
            if (w == a.donde) {
                if (!local || p < profundidad) {
                    local = &a;
                    profundidad = p;
                }
                break;
            }
    }
    return local ? local : general;
}

void Teclado::correr(const Comando& comando) {
    if (antes_ && !antes_()) return;
    if (ejecutor_) {
        ejecutor_(comando);
        return;
    }
    try {
        comando();
    } catch (const std::exception& e) {
        qCritical("comando de teclado: %s", e.what());
    }
}

bool Teclado::pulsar(QKeyCombination tecla, QWidget* foco) {
    const Asignacion* a = buscar(normal(tecla), foco);
    if (!a) return false;
    const Comando c = a->comando;  // the command may remap or end the screen
    correr(c);
    return true;
}

Teclado::Busqueda* Teclado::busquedaDe(QObject* objeto) {
    for (Busqueda& b : busquedas_)
        if (b.campo == objeto) return &b;
    return nullptr;
}

// The text loses its question marks before anyone else sees it (a bound
// field must not store "123?"); the lookup runs now on Enter, and after
// the focus has settled when the field is left.
bool Teclado::lanzarBusqueda(Busqueda& b, bool ahora) {
    QLineEdit* campo = b.campo;
    if (!campo || campo->isReadOnly() || !pideBusqueda(campo->text())) return false;
    const QString texto = sinInterrogacion(campo->text());
    campo->setText(texto);
    campo->setModified(false);
    auto abrir = b.abrir;
    if (ahora) {
        correr([abrir, texto] { abrir(texto); });
    } else {
        QPointer<Teclado> yo(this);
        QTimer::singleShot(0, this, [yo, abrir, texto] {
            if (yo) yo->correr([abrir, texto] { abrir(texto); });
        });
    }
    return true;
}

// As Tab: the widget's own focus handling moves on.
void Teclado::siguiente(QWidget* w) {
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(w, &tab);
}

bool Teclado::avanzaConEnter(QWidget* w) {
    return qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QComboBox*>(w) ||
           qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w);
}

bool Teclado::eventFilter(QObject* objeto, QEvent* evento) {
    const QEvent::Type tipo = evento->type();
    if (tipo != QEvent::KeyPress && tipo != QEvent::ShortcutOverride && tipo != QEvent::FocusOut)
        return false;
    auto* w = qobject_cast<QWidget*>(objeto);
    if (!dentro(w)) return false;

    if (tipo == QEvent::FocusOut) {
        const auto razon = static_cast<QFocusEvent*>(evento)->reason();
        if (razon != Qt::ActiveWindowFocusReason && razon != Qt::PopupFocusReason)
            if (Busqueda* b = busquedaDe(objeto)) lanzarBusqueda(*b, false);
        return false;
    }

    auto* k = static_cast<QKeyEvent*>(evento);
    const QKeyCombination tecla = normal(k->keyCombination());
    const Asignacion* a = buscar(tecla, w);
    const bool enter = tecla == QKeyCombination(Qt::Key_Return);

    if (tipo == QEvent::ShortcutOverride) {
        // Our keys beat the main window's menu shortcuts.
        if (a) {
            evento->accept();
            return true;
        }
        return false;
    }

    if (enter) {
        if (Busqueda* b = busquedaDe(objeto); b && lanzarBusqueda(*b, true)) {
            QPointer<QWidget> campo(w);
            if (campo && campo->hasFocus()) siguiente(campo);
            return true;
        }
    }
    if (a) {
        correr(Comando(a->comando));
        return true;
    }
    if (enter && enterSiguiente_ && avanzaConEnter(w)) {
        siguiente(w);
        return true;
    }
    return false;
}

}  // namespace cxp
