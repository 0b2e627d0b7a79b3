// The ownership tree of the user interface: an owner destroys what it owns.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace toridasu::ui {

class TComponent {
 public:
  explicit TComponent(TComponent* owner);
  // Destroys the owned components, the most recently added first, and
  // leaves the owner's list.
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  TComponent* Owner() const { return owner_; }
  // In the order they were added.
  const std::vector<TComponent*>& Components() const { return components_; }
  TComponent* FindComponent(std::string_view name) const;
  void DestroyComponents();

 private:
  std::string name_;
  TComponent* owner_;
  std::vector<TComponent*> components_;
};

}  // namespace toridasu::ui
