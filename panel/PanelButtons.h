#pragma once
// The panel's four shaped buttons as designed, for the panel itself and for the skin editor's preview.
class QWidget;
class TVOzariButton;

enum class PanelShapedButton { Help, FullScreen, SkinEditor, Quit };

// A loaded shaped button on `parent` with the panel's design for `which`: name, place, size, hint,
// hand cursor, shape, colours and face. The caller connects its click.
TVOzariButton* MakePanelShapedButton(QWidget* parent, PanelShapedButton which);
