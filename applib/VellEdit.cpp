#include "applib/VellEdit.h"

VellEdit::VellEdit() {
    On("ConstructContextualMenu", this, &VellEdit::Event_ConstructContextualMenu);
    On("ContextualMenuAction", this, &VellEdit::Event_ContextualMenuAction);
}

bool VellEdit::Event_ConstructContextualMenu(fw::MenuItem&, int, int) { return false; }

bool VellEdit::Event_ContextualMenuAction(fw::MenuItem&) { return false; }
