#pragma once
// Any number of listeners to the events of a model. Adding a listener gives
// a Subscription; the listener is called for every event until the
// subscription ends (it is destroyed or ended), whichever of the model and
// the subscription goes first. A listener ended while an event is being
// delivered is not called for it any more; one added meanwhile gets the
// next event.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace corvane {

template <typename Event>
class Listeners {
  struct Registry {
    std::map<std::uint64_t, std::shared_ptr<std::function<void(const Event&)>>> callbacks;
    std::uint64_t next_id = 1;
  };

 public:
  using Callback = std::function<void(const Event&)>;

  class Subscription {
   public:
    Subscription() = default;
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    Subscription(Subscription&& other) noexcept
        : registry_(std::move(other.registry_)), id_(other.id_) {}
    Subscription& operator=(Subscription&& other) noexcept {
      if (this != &other) {
        End();
        registry_ = std::move(other.registry_);
        id_ = other.id_;
      }
      return *this;
    }
    ~Subscription() { End(); }

    // The listener is not called any more.
    void End() {
      if (const std::shared_ptr<Registry> registry = registry_.lock()) {
        registry->callbacks.erase(id_);
      }
      registry_.reset();
    }
    bool active() const {
      const std::shared_ptr<Registry> registry = registry_.lock();
      return registry != nullptr && registry->callbacks.contains(id_);
    }

   private:
    friend class Listeners;
    Subscription(const std::shared_ptr<Registry>& registry, std::uint64_t id)
        : registry_(registry), id_(id) {}

    std::weak_ptr<Registry> registry_;
    std::uint64_t id_ = 0;
  };

  Listeners() = default;
  Listeners(const Listeners&) = delete;
  Listeners& operator=(const Listeners&) = delete;

  [[nodiscard]] Subscription Add(Callback callback) {
    const std::uint64_t id = registry_->next_id++;
    registry_->callbacks.emplace(id, std::make_shared<Callback>(std::move(callback)));
    return Subscription(registry_, id);
  }

  // Calls every listener, in the order they were added.
  void Notify(const Event& event) const {
    std::vector<std::pair<std::uint64_t, std::shared_ptr<Callback>>> now(
        registry_->callbacks.begin(), registry_->callbacks.end());
    for (const auto& [id, callback] : now) {
      if (registry_->callbacks.contains(id) && *callback) (*callback)(event);
    }
  }

  std::size_t size() const { return registry_->callbacks.size(); }

 private:
  std::shared_ptr<Registry> registry_ = std::make_shared<Registry>();
};

}  // namespace corvane
