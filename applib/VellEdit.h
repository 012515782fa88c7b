#pragma once
// The edit field of the text panes: its contextual menu gets no items of the
// program's own, so the field's standard menu stays.
#include "fw/gui/EditField.h"
#include "fw/gui/MenuItem.h"

class VellEdit : public fw::EditField {
public:
    VellEdit();

    bool Event_ConstructContextualMenu(fw::MenuItem& base, int x, int y);
    bool Event_ContextualMenuAction(fw::MenuItem& hitItem);
};
