#include "ui/window_registry.h"

#include <QtGlobal>
#include <algorithm>
#include <deque>
#include <string_view>

#include "ui/form_controls.h"
#include "ui/procedures.h"

namespace bb {
namespace {

std::deque<WindowDecl>& declarations() {
    // A deque never moves what it holds: the references handed out stay good.
    static std::deque<WindowDecl> kept;
    return kept;
}

// Checks one declaration's names, collecting what does not resolve.
class NameCheck {
public:
    NameCheck(const WindowDecl& decl, const ProcedureRegistry* registry)
        : decl_(decl), registry_(registry) {}

    std::vector<std::string> run() {
        for (const FieldDecl& field : decl_.fields) checkField(field);
        for (const ButtonDecl& button : decl_.buttons) checkButton(button);
        if (!decl_.besideList.empty() && !hasGroup(decl_.besideList))
            fault("the box beside a list", decl_.besideList, "which is no group of its fields");
        return std::move(faults_);
    }

private:
    void checkField(const FieldDecl& field) {
        if (!field.local.empty()) checkLocal("a control", field.local);
        if (!field.list) return;
        const ListDecl& list = *field.list;
        checkProcedure("list \"" + std::string(field.name) + "\" updates with", list.update);
        checkProcedure("list \"" + std::string(field.name) + "\" prints with", list.print);
        for (const SortDecl& order : list.orders) {
            if (!order.local.empty()) checkLocal("an order", order.local);
            if (!order.range.limit.local.empty()) checkLocal("a range", order.range.limit.local);
            for (const ValueRef& reset : order.resets) {
                if (!reset.local.empty()) checkLocal("a reset", reset.local);
            }
            if (!order.locatorEntry.empty() && !hasControl(order.locatorEntry))
                fault("a locator", order.locatorEntry, "which is no control of the window");
        }
    }

    void checkButton(const ButtonDecl& button) {
        const std::string what = "button \"" + std::string(button.text) + "\"";
        checkProcedure(what + " calls", button.calls);
        if (!button.list.empty() && !hasList(button.list))
            fault(what + " acts for list", button.list, "which the window does not declare");
        if ((button.needsRecord || button.refresh) && button.calls.empty())
            faults_.push_back(std::string(decl_.procedure) + ": " + what +
                              " needs a record for a call it does not make");
    }

    void checkProcedure(const std::string& what, std::string_view name) {
        if (registry_ && !name.empty() && !registry_->has(name))
            fault(what, name, "which is no procedure");
    }

    void checkLocal(const std::string& what, std::string_view name) {
        const bool declared = std::any_of(decl_.locals.begin(), decl_.locals.end(),
                                          [name](const LocalDecl& l) { return l.name == name; });
        if (!declared) fault(what + " names variable", name, "which the window does not declare");
    }

    bool hasList(std::string_view name) const {
        return std::any_of(decl_.fields.begin(), decl_.fields.end(), [name](const FieldDecl& f) {
            return f.kind == ControlKind::List && f.name == name;
        });
    }

    bool hasGroup(std::string_view group) const {
        return std::any_of(decl_.fields.begin(), decl_.fields.end(),
                           [group](const FieldDecl& f) { return f.group == group; });
    }

    bool hasControl(std::string_view label) const {
        return std::any_of(decl_.fields.begin(), decl_.fields.end(), [label](const FieldDecl& f) {
            return f.name == label || plainLabel(f.prompt) == label;
        });
    }

    void fault(const std::string& what, std::string_view name, std::string_view why) {
        faults_.push_back(std::string(decl_.procedure) + ": " + what + " \"" + std::string(name) +
                          "\", " + std::string(why));
    }

    const WindowDecl& decl_;
    const ProcedureRegistry* registry_;
    std::vector<std::string> faults_;
};

// A control the user types or chooses in: ditto can put its value back.
bool edited(ControlKind kind) {
    switch (kind) {
        case ControlKind::Entry:
        case ControlKind::DateSpin:
        case ControlKind::Check:
        case ControlKind::Option:
        case ControlKind::DropList:
        case ControlKind::TextArea:
            return true;
        default:
            return false;
    }
}

}  // namespace

WindowDecl flattened(WindowDecl decl) {
    for (TabDecl& tab : decl.tabs) {
        for (FieldDecl& field : tab.fields) {
            field.tab = tab.text;
            if (!field.ditto && edited(field.kind)) field.ditto = tab.ditto;
            decl.fields.push_back(std::move(field));
        }
    }
    decl.tabs.clear();
    return decl;
}

const WindowDecl& declareWindow(WindowDecl decl) {
    return declarations().emplace_back(flattened(std::move(decl)));
}

std::vector<const WindowDecl*> declaredWindows() {
    std::vector<const WindowDecl*> all;
    for (const WindowDecl& decl : declarations()) all.push_back(&decl);
    return all;
}

std::vector<std::string> unresolvedNames(const WindowDecl& decl,
                                         const ProcedureRegistry* registry) {
    return NameCheck(flattened(decl), registry).run();
}

void declarationFault(const WindowDecl& decl, std::string_view what) {
    const std::string message = "Window " + std::string(decl.procedure) + ": " + std::string(what);
    qFatal("%s", message.c_str());
}

}  // namespace bb
