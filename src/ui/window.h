// What a window's author needs, in one place: include this header, and
// write a window as a declaration plus the few overrides its procedure adds.
//
// DECLARE the window once, at namespace scope, and keep it for the run:
//
//   const WindowDecl& kUpdateStates = declareWindow({...});   (window_decl.h)
//
//   - fields: what each control shows (a record field's typed handle, or a
//     window variable), its kind, picture, prompt, tip, message; `tabs`
//     give a tab's fields with the tab's defaults said once;
//   - lists: a `List` field with a ListDecl (file, columns, orders, the
//     procedure that updates its records);
//   - buttons: a role (OK, Cancel, Help, a list's Insert, Change, Delete,
//     Select, Print), or the procedure the button `calls` for the
//     highlighted record (`needsRecord`, with the refusal when there is none);
//   - window variables: constants declared once (window_variables.h) and
//     put in `locals`: `const TextVariable kHeading{"Heading", 40};`.
//   Every name resolves or the window stops the program when it opens;
//   tests/shell/declared_windows_test.cpp checks every declared window.
//
// OVERRIDE, in a class derived from WindowManager, only what the procedure
// adds (call the base where you replace one):
//   SeedNewRecord()      a new record's initial values
//   CheckFields()        the checks on OK, in order: return Refuse(FIELD, title, text);
//   AfterEvent()         what is derived or enabled after every event (shown for you)
//   MayCall(button)      what a button's procedure needs besides a record
//   SetupControls()      what the declaration cannot say, once the controls exist
//   CreateBrowse(list)   a list whose rows need more than the declaration says
//   OnAccepted()         a press the declaration does not cover (Pressed("Name"))
//
// CALL, from those overrides:
//   Get(kVariable), Set(kVariable, value)     window variables, typed
//   Refuse(field, title, text), Announce(title, text)
//   Enable(field, on), EnableRadio(field, value, on), Show(field, on),
//   Select(control), Control(field or name)
//   Browse(name)->Records(), Update(), Reset(force)
//   CallProcedure("Name", request), Pressed("Name"), ButtonOf(role, list)
//   REQUEST (the request being served), CurrentEvent()
//
// RUN it from its procedure, registered under its name (a procedure the
// program names but has not built is registered as unbuilt):
//   a called window (form, selection list, dialog):  runCalled<UpdateStatesWindow>();
//   a started window (a list beside the others):     startWindow(std::make_unique<...>());
//   a form ends with formButtons(): OK, Cancel and Help.
//
// Everything else of WindowManager is the framework's own.
#pragma once

#include "ui/form_parts.h"
#include "ui/window_decl.h"
#include "ui/window_manager.h"
#include "ui/window_registry.h"
#include "ui/window_variables.h"
