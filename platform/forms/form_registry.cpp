#include "platform/forms/form_registry.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHash>
#include <QPointer>

namespace forms {

namespace {

struct Registry {
    QList<QPointer<Form>> open;
    QHash<std::type_index, QPointer<Form>> defaults;
};

Registry& registry() {
    static Registry r;
    return r;
}

}  // namespace

namespace detail {

Form* findDefault(std::type_index type) {
    auto it = registry().defaults.find(type);
    if (it == registry().defaults.end()) return nullptr;
    Form* f = it->data();
    if (!f || f->isUnloaded()) {
        registry().defaults.erase(it);
        return nullptr;
    }
    return f;
}

void registerDefault(std::type_index type, Form* form) { registry().defaults.insert(type, QPointer<Form>(form)); }

void formCreated(Form* form) { registry().open.append(QPointer<Form>(form)); }

void formGone(Form* form) {
    Registry& r = registry();
    r.open.removeIf([form](const QPointer<Form>& p) { return p.isNull() || p.data() == form; });
    for (auto it = r.defaults.begin(); it != r.defaults.end();) {
        if (it->isNull() || it->data() == form) it = r.defaults.erase(it);
        else ++it;
    }
}

}  // namespace detail

QList<Form*> openForms() {
    QList<Form*> forms;
    for (const QPointer<Form>& p : registry().open)
        if (p && !p->isUnloaded()) forms.append(p.data());
    return forms;
}

bool unloadAll(int mode, const Form* except) {
    bool all = true;
    for (Form* f : openForms())
        if (f != except && !f->Unload(mode)) all = false;
    return all;
}

void deleteUnloadedForms() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

}  // namespace forms
