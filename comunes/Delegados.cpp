#include "comunes/Delegados.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace cxp {

DelegadoLista::DelegadoLista(std::function<QStringList()> lista, QObject* parent)
    : QStyledItemDelegate(parent), lista_(std::move(lista)) {}

QWidget* DelegadoLista::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QStringLiteral("editorLista"));
    combo->setEditable(false);
    combo->addItems(lista_ ? lista_() : QStringList());
    return combo;
}

void DelegadoLista::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* combo = static_cast<QComboBox*>(editor);
    combo->setCurrentIndex(combo->findText(index.data(Qt::EditRole).toString()));
}

void DelegadoLista::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    auto* combo = static_cast<QComboBox*>(editor);
    if (combo->currentIndex() < 0) return;  // nothing chosen: the cell keeps its value
    if (combo->currentText() != index.data(Qt::EditRole).toString()) model->setData(index, combo->currentText());
}

DelegadoDigitos::DelegadoDigitos(int maximo, QObject* parent) : QStyledItemDelegate(parent), maximo_(maximo) {}

QWidget* DelegadoDigitos::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const {
    auto* editor = new QLineEdit(parent);
    editor->setObjectName(QStringLiteral("editorDigitos"));
    editor->setMaxLength(maximo_);
    editor->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(maximo_)), editor));
    return editor;
}

QString DelegadoSecreto::displayText(const QVariant& value, const QLocale&) const {
    return value.toString().isEmpty() ? QString() : QString(8, QChar(0x2022));
}

QWidget* DelegadoSecreto::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                       const QModelIndex& index) const {
    QWidget* w = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* editor = qobject_cast<QLineEdit*>(w)) editor->setEchoMode(QLineEdit::Password);
    return w;
}

}  // namespace cxp
