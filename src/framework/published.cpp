#include "framework/published.h"

const TEventHandler* TPublished::FindEventHandler(const std::string& name) const {
  auto found = handlers_.find(name);
  return found == handlers_.end() ? nullptr : &found->second;
}

bool TPublished::HasField(const std::string& name) const { return fields_.count(name) != 0; }

bool TPublished::AssignField(const std::string& name, TComponent* component) const {
  auto found = fields_.find(name);
  return found == fields_.end() || found->second(component);
}

std::vector<std::string> TPublished::FieldNames() const {
  std::vector<std::string> names;
  for (const auto& entry : fields_) names.push_back(entry.first);
  return names;
}
