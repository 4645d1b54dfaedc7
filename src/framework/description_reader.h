#pragma once

// Window descriptions: a readable text that says which components a form is
// made of and how their properties are set.
//
//   description := object
//   object      := "object" Name ":" ClassName { property } { object } "end"
//   property    := PropName { "." PropName } "=" value
//   value       := integer | string | identifier | set | list
//   integer     := [ "-" ] digits | [ "-" ] "$" hexdigits
//   string      := piece { [ "+" ] piece }
//   piece       := "'" { character | "''" } "'"      (bytes taken as they stand)
//                | "#" digits                        (one byte, 0..255)
//   identifier  := letter { letter | digit | "_" }   (True/False, enum and colour
//                                                     names, component and handler names)
//   set         := "[" [ identifier { "," identifier } ] "]"
//   list        := "(" { value } ")"
//   comment     := "//" up to the end of the line
//
// Example:
//   object Form1: TForm1
//     Caption = 'Demo'
//     Font.Style = [fsBold]
//     OnCreate = FormCreate
//     object Label1: TLabel
//       Left = 8
//       Caption = 'Line one'#13#10'line two'
//     end
//     object ComboBox1: TKWTXPComboBox
//       Items.Strings = ('C:\' 'D:\')
//     end
//   end
//
// The outer object is the component being filled (its class name is taken as
// written); each inner object is created from the class registry (class names
// without regard to ASCII case), owned by the outer component and, for
// controls, placed on the enclosing control; later controls lie in front of
// earlier ones. Texts are bytes of the code page the font's character set
// names (Font.Charset = RUSSIAN_CHARSET for Windows-1251 texts). Event
// properties name handlers the outer component offers (TForm::BindHandler,
// names as written); component references ("KWTXPCollapsePanel =
// CollapsePanel1", or nil) may point forward. Unknown classes, properties,
// handlers or components, duplicate names, controls inside a control that
// holds none and malformed values throw EReadError naming the line.

#include "common/errors.h"
#include "framework/component.h"
#include "framework/description_parser.h"
#include "framework/events.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// Name and value of one member of an enumeration or set.
struct TEnumName {
  const char* name;
  int value;
};

// Handed to ReadProperty: turns values into what a property wants and throws
// EReadError (naming the line) when a value does not fit.
class TReader {
 public:
  explicit TReader(TComponent* root);

  TComponent* Root() const { return root_; }

  int Integer(const TPropValue& value) const;
  bool Boolean(const TPropValue& value) const;
  std::string String(const TPropValue& value) const;
  TColor Color(const TPropValue& value) const;
  int Enum(const TPropValue& value, const std::vector<TEnumName>& names) const;
  unsigned Set(const TPropValue& value, const std::vector<TEnumName>& names) const;
  std::vector<std::string> Strings(const TPropValue& value) const;
  // The root's handler of that name, which must be of kind Event.
  template <class Event>
  Event Handler(const TPropValue& value) const {
    const TEventHandler& handler = FindHandler(value);
    if (const Event* event = std::get_if<Event>(&handler)) return *event;
    throw Error(value, "Handler " + value.text + " has the wrong parameters for this event");
  }
  // Resolves a component name (owned by the root) once the whole description
  // is read; the empty name or "nil" gives null.
  void Reference(const TPropValue& value, std::function<void(TComponent*)> assign);

  [[noreturn]] void Fail(const TPropValue& value, const std::string& message) const {
    throw Error(value, message);
  }

  // Reads a description into root; used by ReadComponent.
  void Read(const char* text, std::size_t size);

 private:
  struct Fixup {
    TPropValue value;
    std::function<void(TComponent*)> assign;
  };
  EReadError Error(const TPropValue& value, const std::string& message) const;
  const TEventHandler& FindHandler(const TPropValue& value) const;
  // Sets the object's properties on component and creates its children.
  void Apply(const TObjectDescription& object, TComponent* component);
  TComponent* Create(const TObjectDescription& object, TComponent* parent);

  TComponent* root_;
  std::vector<Fixup> fixups_;
  std::vector<TComponent*> created_;
};

// Reads the description in the buffer into component (typically a form).
void ReadComponent(const char* text, std::size_t size, TComponent* component);
void ReadComponent(const std::string& text, TComponent* component);

// Class registry: the classes a description may create, by name.
using TComponentFactory = std::function<TComponent*(TComponent* owner)>;
void RegisterComponentClass(const std::string& name, TComponentFactory factory);
template <class T>
void RegisterComponentClass(const std::string& name) {
  RegisterComponentClass(name, [](TComponent* owner) -> TComponent* { return new T(owner); });
}
// Null when no class of that name (ASCII case-insensitive) is registered.
const TComponentFactory* FindComponentClass(const std::string& name);
