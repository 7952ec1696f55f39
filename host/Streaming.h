/// Form streaming: a component and everything it owns as text, and back.
/// <pre>
///   object Form1: TDemoForm
///     Tag = 7
///     object Meter1: TMeter
///       ValueMax = 120.0
///       Caption = 'Druck'
///       Grid = grdBoth
///       Options = [opTicks, opLabels]
///       Font.Size = 12
///       MeasureSource = AudioIn1
///       Range = ((65280, False, 20.0), -120.0, 120.0)
///     end
///   end </pre>
///
/// One `object Name: TClass` ... `end` block per component, nested by
/// ownership and indented two spaces per level. Inside a block come the
/// published (Q_PROPERTY) properties of the component's own classes (not
/// those of QObject, QWidget or other Qt classes) that are stored and
/// differ from their declared default, then the extra list properties from
/// DefineProperties, then the blocks of the owned components.
///
/// Declared defaults are class infos: Q_CLASSINFO("default:ValueMax", "100").
/// Inherited class infos count, and a descendant may redeclare one. A
/// property without one has no default and is always written. The default
/// is written in the value syntax below, except that a string's default is
/// its plain text (Q_CLASSINFO("default:FontName", "Arial")); references
/// may declare "nil".
///
/// As with every declared-default scheme, a value equal to its declared
/// default is not written, so a component whose constructor starts from
/// another value gets that value back when read.
///
/// Values: integers in decimal; floats in the shortest text that reads back
/// to the same value, always with '.' ("20.0"); True/False; strings in single
/// quotes with '' for a quote and #13 style codes for control characters;
/// enumerations by key; sets as [a, b]; string lists as ('a', 'b'); a
/// reference to a component by the component's Name (nil when empty); a
/// sub-object that is not a component (a font) as `Prop.Sub = value` lines
/// for its own properties that differ from their defaults.
/// \file
/// Components without a Name are parts their owner creates for itself
/// (links, timers); they are neither written nor expected in the text.
#pragma once

#include <QString>
#include <QWidget>

#include "quellix/host/Component.h"
#include "quellix/host/ComponentRegistry.h"

namespace quellix {

/// The registered factory, or an empty function; the host's own classes
/// (paint box, timer) are registered on the first call.
TComponentFactory FindComponentClass(const QString& ClassName);

/// The host's own streamable classes: the paint box and the timer.
void RegisterHostClasses();

/// Root and the named components it owns, recursively, as text.
/// Raises EStreamError for a stored property of a type the text cannot hold.
QString WriteComponentText(TComponentCore* Root);

/// Reads text written by WriteComponentText into Root, which takes the
/// name of the outer block (its class is not checked). Blocks are matched
/// by name to the components their owner already has; others are created
/// from the class registry. The order of work:
///   1. every component read enters the loading state before its first
///      property is assigned;
///   2. properties and extra list properties are assigned in text order;
///   3. after the whole text is read, references to components are
///      resolved by name (Root itself, then everything Root owns at any
///      depth), so a reference may name a component that comes later;
///   4. last, Loaded() runs on every component read, in the order their
///      blocks begin in the text (Root first).
/// Errors raise EStreamError: "Klasse <name> nicht gefunden", "Eigenschaft
/// <name> existiert nicht", "Ungültiger Eigenschaftswert ..." and format
/// errors with their line number. After an error the components read so
/// far leave the loading state without Loaded() running, and components
/// already created stay with their owners.
void ReadComponentText(TComponentCore* Root, const QString& Text);

}  ///< namespace quellix
