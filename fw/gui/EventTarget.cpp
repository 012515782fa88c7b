#include "fw/gui/EventTarget.h"

#include <algorithm>

namespace fw {

EventTarget::EventTarget() = default;
EventTarget::~EventTarget() = default;

const std::type_info* EventTarget::EventSignature(std::string_view) const { return nullptr; }

void EventTarget::bindErased(std::string_view event, const std::type_info& sig, std::shared_ptr<void> fn) {
    if (const std::type_info* known = EventSignature(event); known && *known != sig)
        throw std::logic_error("handler of event " + std::string(event) + " has the wrong signature");
    for (const Binding& b : bindings_)
        if (b.event == event && *b.sig != sig)
            throw std::logic_error("handlers of event " + std::string(event) + " disagree on its signature");
    bindings_.push_back({std::string(event), &sig, std::move(fn)});
}

int EventTarget::HandlerCount(std::string_view event) const {
    return int(std::count_if(bindings_.begin(), bindings_.end(), [&](const Binding& b) { return b.event == event; }));
}

std::shared_ptr<void> EventTarget::findLayer(std::string_view event, size_t from, const std::type_info& sig,
                                             size_t* layer) const {
    size_t n = 0;
    for (const Binding& b : bindings_) {
        if (b.event != event) continue;
        if (n++ < from) continue;
        if (*b.sig != sig)
            throw std::logic_error("event " + std::string(event) +
                                   " raised with another signature than its handler's");
        *layer = n - 1;
        return b.fn;
    }
    return nullptr;
}

size_t EventTarget::nextLayer(std::string_view event) const {
    for (auto it = active_.rbegin(); it != active_.rend(); ++it)
        if (it->event == event) return it->layer + 1;
    return 0;
}

EventTarget::LayerGuard::LayerGuard(EventTarget& t, std::string_view e, size_t layer) : target(t) {
    t.active_.push_back({std::string(e), layer});
}
EventTarget::LayerGuard::~LayerGuard() { target.active_.pop_back(); }

}  // namespace fw
