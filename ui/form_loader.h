// Building a form from its layout resource (layout.h).
#pragma once

namespace toridasu::ui {

class TForm;
struct Layout;

// Sets `form`'s frame from the layout's first component, then makes each
// further component in creation order: labels, edits, memos and buttons
// itself, any other kind through the form's ReadComponent; event names go
// to the form's FindHandler. A key that the kind does not know, a repeated
// key or name, or an unknown value raises EReadError.
void ReadFormLayout(TForm& form, const Layout& layout);

}  // namespace toridasu::ui
