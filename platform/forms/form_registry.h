#pragma once
// The forms that are loaded, and each form class's default instance: created and loaded on first use,
// released when it is unloaded, so the next use starts a fresh one. Dialogs that are new each time are
// made with newInstance and are open forms too, so the main window can unload every other window.
#include "platform/forms/form.h"

#include <QList>

#include <typeindex>
#include <typeinfo>

namespace forms {

namespace detail {
Form* findDefault(std::type_index type);
void registerDefault(std::type_index type, Form* form);
}  // namespace detail

// The default instance of F, created and loaded when there is none.
template <class F>
F& defaultInstance() {
    if (Form* f = detail::findDefault(typeid(F))) return static_cast<F&>(*f);
    auto* created = new F;
    detail::registerDefault(typeid(F), created);
    created->Load();
    return *created;
}

// The default instance of F when it is loaded, else null; never creates one.
template <class F>
F* loadedInstance() {
    return static_cast<F*>(detail::findDefault(typeid(F)));
}

// Unloads F's default instance when it is loaded; false when it refused.
template <class F>
bool unloadInstance(int mode = vbFormCode) {
    F* f = loadedInstance<F>();
    return !f || f->Unload(mode);
}

// A new, loaded instance of F that is not the default one.
template <class F, class... Args>
F* newInstance(Args&&... args) {
    auto* created = new F(std::forward<Args>(args)...);
    created->Load();
    return created;
}

// The forms loaded now, in the order they were made.
QList<Form*> openForms();

// Unloads every open form but `except`; false when one refused (the rest are still unloaded).
bool unloadAll(int mode, const Form* except = nullptr);

// Deletes the forms whose unload is done; the event loop does it anyway, tests and the program's end
// call it to be sure nothing is left.
void deleteUnloadedForms();

namespace detail {
void formCreated(Form* form);
void formGone(Form* form);
}  // namespace detail

}  // namespace forms
