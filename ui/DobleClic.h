#pragma once
// A double click on a field opens its lookup. A disabled field opens none.
#include <QEvent>
#include <QObject>
#include <QWidget>
#include <functional>

namespace cxp {

class DobleClic : public QObject {
public:
    DobleClic(QObject* parent, std::function<void()> f) : QObject(parent), f_(std::move(f)) {}
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::MouseButtonDblClick) return false;
        if (auto* w = qobject_cast<QWidget*>(o); w && !w->isEnabled()) return false;
        f_();
        return true;
    }

private:
    std::function<void()> f_;
};

}  // namespace cxp
