#pragma once

// Private to the framework: the widgets of a dialog template's controls.

#include "DialogUnits.h"
#include "ResourceScript.h"

#include <cstddef>

class CDialog;
class QButtonGroup;
class QObject;
class QWidget;

// Builds the widget of each control of a template, in template order, on the
// dialog's client area: one builder a kind of control, chosen from a table.
// Every widget stands at its control's place in pixels, is enabled as its
// style says, is named "controlID" ("labelN" for the Nth control, a static
// one) and sends its commands to the dialog.
class ControlFactory {
public:
    ControlFactory(CDialog* pOwner, const DialogTemplate& tmpl, QWidget* pClient, const DialogUnits& units,
                   double dPixelScale);

    QWidget* Build(const ControlTemplate& c);

private:
    using Builder = QWidget* (ControlFactory::*)(const ControlTemplate&);
    struct KindBuilder {
        ControlKind kind;
        Builder build;
    };
    static const KindBuilder kBuilders[];

    QWidget* Label(const ControlTemplate& c);
    QWidget* GroupBox(const ControlTemplate& c);
    QWidget* PushButton(const ControlTemplate& c);
    QWidget* CheckBox(const ControlTemplate& c);
    QWidget* RadioButton(const ControlTemplate& c);
    QWidget* Edit(const ControlTemplate& c);
    QWidget* ComboBox(const ControlTemplate& c);
    QWidget* ListView(const ControlTemplate& c);
    QWidget* Icon(const ControlTemplate& c);
    // A click on the button sends the control's command.
    void SendsCommand(QWidget* pButton, int nID);
    int IconSide() const;

    CDialog* m_pOwner;
    const DialogTemplate& m_template;
    QWidget* m_pClient;
    DialogUnits m_units;
    double m_dPixelScale;
    QButtonGroup* m_pRadioGroup = nullptr;  // the group the next radio button joins
    QObject* m_pRadioKeys = nullptr;        // the arrow keys of every radio button
    std::size_t m_nBuilt = 0;               // controls built so far
};
