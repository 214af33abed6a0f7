#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "control_state.h"
#include "layout.h"
#include "watcher.h"

namespace forms {

class Form;

// A named handle on one control of a form. It is resolved to its layout slot
// once, when the form object is made, and stays valid across unloads and
// reloads. Every property access goes through the form, which loads itself
// first if it is only created.
class ControlRef {
 public:
  ControlRef(Form& form, std::string_view name, int index = kNotInArray);
  ControlRef(Form& form, int slot) : form_(&form), slot_(slot) {}

  Form& form() const { return *form_; }
  int slot() const { return slot_; }
  const ControlSpec& spec() const;

  bool visible() const { return read().visible; }
  void setVisible(bool visible);
  TwipRect rect() const { return read().rect; }

 protected:
  const ControlState& read() const;
  template <class Change>
  void write(Property what, Change&& change);

 private:
  Form* form_;
  int slot_;
};

class Label : public ControlRef {
 public:
  using ControlRef::ControlRef;
  const std::string& caption() const { return read().text; }
  void setCaption(std::string caption);
};

class Image : public ControlRef {
 public:
  using ControlRef::ControlRef;
  Picture picture() const { return read().picture; }
  // Shares the picture. A picture resizes the control to its natural size
  // with the top-left corner kept; the empty picture keeps the size.
  void setPicture(const Picture& picture);
  // Assigning a whole Image where a picture is expected assigns its picture.
  void setPicture(const Image& source) { setPicture(source.picture()); }
  float left() const { return read().rect.left; }
  void setLeft(float left);
};

class CommandButton : public ControlRef {
 public:
  using ControlRef::ControlRef;
  bool enabled() const { return read().enabled; }
  void setEnabled(bool enabled);
  const std::string& caption() const { return read().text; }
};

class Shape : public ControlRef {
 public:
  using ControlRef::ControlRef;
};

class Line : public ControlRef {
 public:
  using ControlRef::ControlRef;
};

class TextBox : public ControlRef {
 public:
  using ControlRef::ControlRef;
  const std::string& text() const { return read().text; }
  void setText(std::string text);
};

class Timer : public ControlRef {
 public:
  using ControlRef::ControlRef;
  int interval() const { return read().interval; }
  // A new interval applies to the following ticks; 0 stops the timer.
  void setInterval(int milliseconds);
};

// Controls that share one name, told apart by a 16-bit index. Indices need
// not be stored in order; an index with no element is an OutOfRange error.
template <class Element>
class ControlArray {
 public:
  ControlArray(Form& form, std::string_view name);

  Element operator()(int index) const;
  bool holds(int slot) const;
  const std::vector<std::pair<int, int>>& elements() const { return elements_; }  // (index, slot)

 private:
  Form* form_;
  std::string_view name_;
  std::vector<std::pair<int, int>> elements_;
};

using ImageArray = ControlArray<Image>;
using ShapeArray = ControlArray<Shape>;
using LineArray = ControlArray<Line>;

}  // namespace forms
