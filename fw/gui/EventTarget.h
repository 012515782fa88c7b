#pragma once
// Events bound by name, in layers.
//
// Every class level that wants an event binds a handler with On() in its
// constructor; base classes construct first, so their handlers come first.
// An event runs its first handler. A handler that wants
// the next layer to see the event calls RaiseEvent with the same name: the
// handler bound after it runs, or nothing when none is bound. This is how a
// library base class does its part of Open and then raises Open for the
// subclass, or raises Close first and then does its part:
//
//     VellWindow::VellWindow() { On("Open", this, &VellWindow::Event_Open); }
//     void VellWindow::Event_Open() { /* localise, restore */ RaiseEvent("Open"); }
//     MainWindow::MainWindow() { On("Open", this, &MainWindow::Event_Open); }
//
// Each event name has one signature (see the class's EventSignature);
// binding a handler of another signature throws std::logic_error at once.
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <vector>

namespace fw {

class EventTarget {
public:
    EventTarget();
    virtual ~EventTarget();
    EventTarget(const EventTarget&) = delete;
    EventTarget& operator=(const EventTarget&) = delete;

    template <class R, class... A>
    void On(std::string_view event, std::function<R(A...)> handler) {
        bindErased(event, typeid(R(A...)), std::make_shared<std::function<R(A...)>>(std::move(handler)));
    }
    // A method of `obj` (or of one of its bases).
    template <class T, class Obj, class R, class... A>
    void On(std::string_view event, T* obj, R (Obj::*method)(A...)) {
        Obj* o = obj;
        On(event, std::function<R(A...)>([o, method](A... a) -> R { return (o->*method)(std::forward<A>(a)...); }));
    }
    // Handlers bound to `event`, all layers.
    int HandlerCount(std::string_view event) const;

    // The signature of a known event, nullptr for a name this class doesn't
    // raise. Subclasses that define events of their own extend it.
    virtual const std::type_info* EventSignature(std::string_view event) const;

    // Runs the first handler of `event`, as happens when the event occurs.
    // Exceptions escape to the caller.
    template <class Sig, class... Args>
    auto Fire(std::string_view event, Args&&... args) {
        return callLayer<Sig>(event, 0, std::forward<Args>(args)...);
    }

protected:
    // From inside a handler: runs the next layer's handler of the same event.
    // Outside any handler of it: runs the first one. A result the next layer
    // doesn't give is default-constructed (false for booleans).
    template <class Sig = void(), class... Args>
    auto RaiseEvent(std::string_view event, Args&&... args) {
        return callLayer<Sig>(event, nextLayer(event), std::forward<Args>(args)...);
    }

private:
    template <class Sig>
    struct Ret;
    template <class R, class... A>
    struct Ret<R(A...)> {
        using type = R;
    };

    template <class Sig, class... Args>
    auto callLayer(std::string_view event, size_t from, Args&&... args) -> typename Ret<Sig>::type {
        using R = typename Ret<Sig>::type;
        size_t layer = 0;
        std::shared_ptr<void> fn = findLayer(event, from, typeid(Sig), &layer);
        if (!fn) {
            if constexpr (std::is_void_v<R>) return;
            else return R{};
        }
        LayerGuard guard(*this, event, layer);
        return (*static_cast<std::function<Sig>*>(fn.get()))(std::forward<Args>(args)...);
    }

    struct LayerGuard {
        LayerGuard(EventTarget& t, std::string_view e, size_t layer);
        ~LayerGuard();
        EventTarget& target;
    };

    void bindErased(std::string_view event, const std::type_info& sig, std::shared_ptr<void> fn);
    std::shared_ptr<void> findLayer(std::string_view event, size_t from, const std::type_info& sig,
                                    size_t* layer) const;
    size_t nextLayer(std::string_view event) const;

    struct Binding {
        std::string event;
        const std::type_info* sig;
        std::shared_ptr<void> fn;
    };
    std::vector<Binding> bindings_;
    struct Active {
        std::string event;
        size_t layer;
    };
    std::vector<Active> active_;  // handlers running now, innermost last
};

}  // namespace fw
