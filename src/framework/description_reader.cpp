#include "framework/description_reader.h"

#include "common/errors.h"
#include "framework/framework_classes.h"
#include "framework/published.h"

#include <cctype>
#include <map>

namespace {

std::string UpperAscii(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

[[noreturn]] void FailAt(int line, const std::string& message) {
  throw EReadError("Line " + std::to_string(line) + ": " + message);
}

}  // namespace

TReader::TReader(TComponent* root) : root_(root) {}

EReadError TReader::Error(const TPropValue& value, const std::string& message) const {
  return EReadError("Line " + std::to_string(value.line) + ": " + message);
}

int TReader::Integer(const TPropValue& value) const {
  if (value.kind != TPropValue::Kind::Integer) throw Error(value, "Integer expected");
  if (value.integer < INT32_MIN || value.integer > INT32_MAX) {
    // $80000000 and above are written as unsigned; keep their bits.
    if (value.integer > 0 && value.integer <= 0xFFFFFFFFll)
      return static_cast<int>(static_cast<std::uint32_t>(value.integer));
    throw Error(value, "Integer out of range");
  }
  return static_cast<int>(value.integer);
}

bool TReader::Boolean(const TPropValue& value) const {
  if (value.kind == TPropValue::Kind::Identifier) {
    const std::string word = UpperAscii(value.text);
    if (word == "TRUE") return true;
    if (word == "FALSE") return false;
  }
  throw Error(value, "True or False expected");
}

std::string TReader::String(const TPropValue& value) const {
  if (value.kind != TPropValue::Kind::String) throw Error(value, "String expected");
  return value.text;
}

TColor TReader::Color(const TPropValue& value) const {
  if (value.kind == TPropValue::Kind::Integer) return Integer(value);
  TColor color = 0;
  if (value.kind == TPropValue::Kind::Identifier && ColorFromName(value.text, color)) return color;
  throw Error(value, "Colour expected");
}

int TReader::Enum(const TPropValue& value, const std::vector<TEnumName>& names) const {
  if (value.kind == TPropValue::Kind::Identifier) {
    for (const TEnumName& entry : names) {
      if (value.text == entry.name) return entry.value;
    }
  }
  std::string allowed;
  for (const TEnumName& entry : names)
    allowed += (allowed.empty() ? "" : ", ") + std::string(entry.name);
  throw Error(value, "One of " + allowed + " expected");
}

unsigned TReader::Set(const TPropValue& value, const std::vector<TEnumName>& names) const {
  if (value.kind != TPropValue::Kind::Set) throw Error(value, "Set expected");
  unsigned bits = 0;
  for (const std::string& member : value.members) {
    TPropValue one = value;
    one.kind = TPropValue::Kind::Identifier;
    one.text = member;
    bits |= static_cast<unsigned>(Enum(one, names));
  }
  return bits;
}

std::vector<std::string> TReader::Strings(const TPropValue& value) const {
  if (value.kind != TPropValue::Kind::List) throw Error(value, "List of strings expected");
  std::vector<std::string> texts;
  for (const TPropValue& item : value.items) texts.push_back(String(item));
  return texts;
}

const TEventHandler& TReader::FindHandler(const TPropValue& value) const {
  if (value.kind != TPropValue::Kind::Identifier) throw Error(value, "Handler name expected");
  auto* published = dynamic_cast<const TPublished*>(root_);
  const TEventHandler* handler = published ? published->FindEventHandler(value.text) : nullptr;
  if (!handler) throw Error(value, "Handler " + value.text + " not found");
  return *handler;
}

void TReader::Reference(const TPropValue& value, std::function<void(TComponent*)> assign) {
  if (value.kind != TPropValue::Kind::Identifier) throw Error(value, "Component name expected");
  fixups_.push_back({value, std::move(assign)});
}

TComponent* TReader::Create(const TObjectDescription& object, TComponent* parent) {
  const TComponentFactory* factory = FindComponentClass(object.class_name);
  if (!factory) FailAt(object.line, "Class " + object.class_name + " not found");
  if (root_->FindComponent(object.name))
    FailAt(object.line, "A component named " + object.name + " already exists");
  TComponent* component = (*factory)(root_);
  component->SetName(object.name);
  component->loading_ = true;
  created_.push_back(component);
  try {
    component->SetParentComponent(parent);
  } catch (const ArgumentError& error) {
    FailAt(object.line, error.what());
  }
  auto* published = dynamic_cast<const TPublished*>(root_);
  if (published && !published->AssignField(object.name, component)) {
    FailAt(object.line, "Component " + object.name + " is of class " + object.class_name +
                            ", which does not fit its field");
  }
  return component;
}

void TReader::Apply(const TObjectDescription& object, TComponent* component) {
  for (const TPropertyDescription& property : object.properties) {
    if (!component->ReadProperty(*this, property.name, property.value)) {
      FailAt(property.line,
             "Property " + property.name + " does not exist in " + component->ClassName());
    }
  }
  for (const TObjectDescription& child : object.children) Apply(child, Create(child, component));
}

void TReader::Read(const char* text, std::size_t size) {
  const TObjectDescription description = ParseDescription(text, size);
  created_.clear();
  fixups_.clear();
  root_->loading_ = true;
  try {
    if (!description.name.empty()) root_->SetName(description.name);
    Apply(description, root_);
    for (const Fixup& fixup : fixups_) {
      const std::string& name = fixup.value.text;
      if (name == "nil") {
        fixup.assign(nullptr);
        continue;
      }
      TComponent* target = root_->FindComponent(name);
      if (!target) throw Error(fixup.value, "Component " + name + " not found");
      fixup.assign(target);
    }
    if (auto* published = dynamic_cast<const TPublished*>(root_)) {
      for (const std::string& field : published->FieldNames()) {
        if (!root_->FindComponent(field))
          throw EReadError("Component " + field + " is missing from the description");
      }
    }
  } catch (...) {
    root_->loading_ = false;
    for (TComponent* component : created_) component->loading_ = false;
    throw;
  }
  root_->loading_ = false;
  for (TComponent* component : created_) component->loading_ = false;
  for (TComponent* component : created_) component->Loaded();
  root_->Loaded();
}

void ReadComponent(const char* text, std::size_t size, TComponent* component) {
  TReader reader(component);
  reader.Read(text, size);
}

void ReadComponent(const std::string& text, TComponent* component) {
  ReadComponent(text.data(), text.size(), component);
}

namespace {

std::map<std::string, TComponentFactory>& Registry() {
  static std::map<std::string, TComponentFactory> registry = [] {
    std::map<std::string, TComponentFactory> classes;
    for (auto& [name, factory] : FrameworkClasses()) classes[UpperAscii(name)] = std::move(factory);
    return classes;
  }();
  return registry;
}

}  // namespace

void RegisterComponentClass(const std::string& name, TComponentFactory factory) {
  Registry()[UpperAscii(name)] = std::move(factory);
}

const TComponentFactory* FindComponentClass(const std::string& name) {
  auto& registry = Registry();
  auto found = registry.find(UpperAscii(name));
  return found == registry.end() ? nullptr : &found->second;
}
