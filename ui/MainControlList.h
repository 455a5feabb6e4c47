#pragma once

// The tables are laid out by hand, a row a control.
// clang-format off
// Every control of the main window, in creation (stacking) order: X(Class, Name).
// The design tables list the same controls in the same order.
#define DOJOKAI_MAIN_CONTROLS(X) \
  /* name entry */ \
  X(Panel, F7Panel) \
  X(Label, F7L1) \
  X(Label, F7L2) \
  X(Label, F7L3) \
  X(Label, F7L4) \
  X(Label, F7L5) \
  X(Label, F7L6) \
  X(Edit, F7M1) \
  X(Panel, F7P1) \
  /* results and top 10 */ \
  X(Panel, F4Panel) \
  X(Label, F4L13) \
  X(Label, F4L14) \
  X(Panel, F4P2) \
  X(Label, F4L15) \
  X(Label, c_no1) \
  X(Label, c_no2) \
  X(Label, c_no3) \
  X(Label, c_no4) \
  X(Label, c_no5) \
  X(Label, c_no6) \
  X(Label, c_no7) \
  X(Label, c_no8) \
  X(Label, c_no9) \
  X(Label, c_no10) \
  X(Label, F4L36) \
  X(Label, F4L37) \
  X(Label, F4L26) \
  X(Panel, F4P3) \
  X(Label, F4L2) \
  X(Label, F4L29) \
  X(Image, F4I1) \
  X(Image, F4I2) \
  X(Panel, F4P1) \
  /* drill-end splash */ \
  X(Panel, F8Panel) \
  X(Image, F8I1) \
  /* grade judgement */ \
  X(Panel, LmPanel) \
  X(Panel, LmP3) \
  X(Image, LmI1) \
  X(Label, LmL1) \
  X(Label, LmL2) \
  X(Label, LmL3) \
  X(Label, LmL4) \
  X(Panel, LmP1) \
  X(Panel, LmP2) \
  X(Image, LmI2) \
  /* drill */ \
  X(Panel, F1Panel) \
  X(Label, F1L1) \
  X(Label, F1L2) \
  X(Label, F1L3) \
  X(Label, F1L4) \
  X(Label, F1L5) \
  X(Label, F1L6) \
  X(Label, F1L7) \
  X(Label, F1L8) \
  X(Label, F1L23) \
  X(Label, F1L9) \
  X(Label, F1L15) \
  X(Label, F1L10) \
  X(Panel, F1P3) \
  /* key caps */ \
  X(Panel, P_1) X(Panel, P_2) X(Panel, P_3) X(Panel, P_4) X(Panel, P_5) X(Panel, P_6) \
  X(Panel, P_7) X(Panel, P_8) X(Panel, P_9) X(Panel, P_0) X(Panel, P_MS) X(Panel, P_HT) \
  X(Panel, P_EN) \
  X(Panel, P_Q) X(Panel, P_W) X(Panel, P_E) X(Panel, P_R) X(Panel, P_T) X(Panel, P_Y) \
  X(Panel, P_U) X(Panel, P_I) X(Panel, P_O) X(Panel, P_P) X(Panel, P_AD) X(Panel, P_RS) \
  X(Panel, P_A) X(Panel, P_S) X(Panel, P_D) X(Panel, P_F) X(Panel, P_G) X(Panel, P_H) \
  X(Panel, P_J) X(Panel, P_K) X(Panel, P_L) X(Panel, P_SK) X(Panel, P_KR) X(Panel, P_LS) \
  X(Panel, P_Z) X(Panel, P_X) X(Panel, P_C) X(Panel, P_V) X(Panel, P_B) X(Panel, P_N) \
  X(Panel, P_M) X(Panel, P_KM) X(Panel, P_PR) X(Panel, P_SR) X(Panel, P_AB) \
  X(Panel, P_SPC) X(Panel, P_SFT) X(Panel, P_SFTR) \
  X(Panel, F1P1) \
  X(Panel, F1P2) \
  X(Label, Label39) \
  X(Label, F1L16) \
  X(Label, F1L17) \
  X(Label, F1L18) \
  X(Label, F1L19) \
  X(Label, F1L20) \
  X(Panel, F1P50) \
  X(Label, F1L21) \
  X(Label, F1L24) \
  X(Label, F1L25) \
  X(Label, F1L22) \
  /* mode select */ \
  X(Panel, F6Panel) \
  X(Label, F6L1) \
  X(Label, F6L2) \
  X(Label, F6L3) \
  X(Panel, F6P6) \
  X(Panel, F6P2) \
  X(Panel, F6P3) \
  X(Label, F6L11) \
  X(Label, F6L12) \
  X(Label, F6L13) \
  X(Label, F6L14) \
  X(Label, F6L15) \
  X(Label, F6L16) \
  X(Label, F6L17) \
  X(Label, F6L5) \
  X(Label, F6L18) \
  X(Label, F6L19) \
  X(Label, F6L20) \
  /* settings */ \
  X(Panel, Panel11) \
  X(GroupBox, GroupBox1) \
  X(CheckBox, CheckBox1) \
  X(Label, Label42) \
  X(Edit, Edit1) \
  X(Panel, Panel12) \
  X(GroupBox, GroupBox2) \
  X(CheckBox, CheckBox2) \
  X(CheckBox, CheckBox4) \
  X(CheckBox, CheckBox5) \
  X(CheckBox, CheckBox6) \
  X(CheckBox, CheckBox7) \
  X(GroupBox, GroupBox4) \
  X(CheckBox, CheckBox3) \
  X(GroupBox, GroupBox5) \
  X(Panel, Panel13) \
  X(GroupBox, GroupBox3) \
  X(Label, Label43) \
  X(Button, Button2) \
  X(Label, Label46) \
  X(Button, Button3) \
  X(Label, Label41) \
  X(Button, Button1) \
  /* about */ \
  X(Panel, F5Panel) \
  X(Panel, F5P2) \
  X(Panel, F5P5) \
  X(Label, F5L1) \
  X(Label, F5L4) \
  X(Panel, F5P4) \
  X(Image, F5I1) \
  X(Panel, F5P6) \
  X(Label, Label44) \
  X(Label, F5L9) \
  X(Panel, F5P3) \
  X(Image, F5I2) \
  X(Label, Label30) \
  X(Label, F5L2) \
  X(Panel, F5P7) \
  X(Panel, F5P1) \
  /* lessons */ \
  X(Panel, FLPanel) \
  X(Panel, FLP9) \
  X(Label, FLL1) \
  X(Label, FLL2) \
  X(Label, FLL3) \
  X(Label, FLL4) \
  X(Label, FLL5) \
  X(Label, FLL6) \
  X(Label, FLL7) \
  X(Label, FLL8) \
  X(Label, FLL9) \
  X(Label, FLL10) \
  X(Label, FLL11) \
  X(Label, FLL12) \
  X(Label, FLL13) \
  X(Panel, FLP7) \
  X(Panel, FLP8) \
  X(Panel, FLP10) \
  /* key caps */ \
  X(Panel, FLP_1) X(Panel, FLP_2) X(Panel, FLP_3) X(Panel, FLP_4) X(Panel, FLP_5) \
  X(Panel, FLP_6) X(Panel, FLP_7) X(Panel, FLP_8) X(Panel, FLP_9) X(Panel, FLP_0) \
  X(Panel, FLP_MS) X(Panel, FLP_HT) X(Panel, FLP_EN) \
  X(Panel, FLP_Q) X(Panel, FLP_W) X(Panel, FLP_E) X(Panel, FLP_R) X(Panel, FLP_T) \
  X(Panel, FLP_Y) X(Panel, FLP_U) X(Panel, FLP_I) X(Panel, FLP_O) X(Panel, FLP_P) \
  X(Panel, FLP_AD) X(Panel, FLP_RS) \
  X(Panel, FLP_A) X(Panel, FLP_S) X(Panel, FLP_D) X(Panel, FLP_F) X(Panel, FLP_G) \
  X(Panel, FLP_H) X(Panel, FLP_J) X(Panel, FLP_K) X(Panel, FLP_L) X(Panel, FLP_SK) \
  X(Panel, FLP_KR) X(Panel, FLP_LS) \
  X(Panel, FLP_Z) X(Panel, FLP_X) X(Panel, FLP_C) X(Panel, FLP_V) X(Panel, FLP_B) \
  X(Panel, FLP_N) X(Panel, FLP_M) X(Panel, FLP_KM) X(Panel, FLP_PR) X(Panel, FLP_SR) \
  X(Panel, FLP_AB) \
  X(Panel, FLP_SPC) X(Panel, FLP_SFT) X(Panel, FLP_SFTR) \
  X(Memo, FLM1) \
  /* title */ \
  X(Panel, Panel1) \
  X(Image, Image3) \
  X(Image, Image2) \
  X(Image, Image1) \
  X(Label, Label6) \
  X(Label, Label7) \
  X(Label, Label2) \
  X(Label, Label9) \
  X(Label, Label8) \
  X(Label, Label10) \
  X(Label, Label11) \
  X(Label, Label47) \
  X(Label, Label48) \
  X(Label, Label49) \
  X(Label, Label50) \
  X(Label, Label51) \
  X(Label, Label1) \
  X(Label, Label4) \
  X(Label, Label5) \
  X(Label, Label21) \
  X(Label, Label24) \
  X(Label, Label25) \
  X(Label, Label22) \
  X(Label, Label45) \
  X(Image, Image4) \
  X(SpeedButton, SpeedButton2) \
  X(Panel, Panel4) \
  X(Label, Label3) \
  X(Label, Label14) \
  X(Label, Label15) \
  X(Label, Label16) \
  X(Label, Label17) \
  X(Label, Label18) \
  X(Label, Label19) \
  X(Label, Label20) \
  X(Label, Label23) \
  X(Label, Label26) \
  X(Label, Label27) \
  X(Label, Label28) \
  X(Label, Label31) \
  X(Label, Label32) \
  X(Label, Label33) \
  X(Label, Label34) \
  X(Label, Label35) \
  X(Label, Label36) \
  X(Label, Label37) \
  X(Label, Label38) \
  X(Label, Label40) \
  X(Panel, Panel6) \
  X(Image, Image5) \
  X(Image, Image7) \
  X(Image, Image6) \
  X(Image, Image8) \
  X(Panel, Panel7) \
  X(Label, Label13) \
  X(Label, Label29) \
  X(Panel, Panel8) \
  X(Label, Label12) \
  /* the kana-lock lamps */ \
  X(Label, F1L26) \
  X(Label, FLL14) \
  X(Label, F6L21) \
  /* the keyboard choice of the settings screen */ \
  X(GroupBox, GroupBox6) \
  X(RadioButton, RadioButton1) \
  X(RadioButton, RadioButton2) \
  X(RadioButton, RadioButton3) \
  X(Label, Label52) \
  /* the romaji settings page */ \
  X(Button, RSButton1) \
  X(Panel, RSPanel) \
  X(GroupBox, RSGroupBox1) \
  X(RadioButton, RSRadioButton1) \
  X(RadioButton, RSRadioButton2) \
  X(RadioButton, RSRadioButton3) \
  X(GroupBox, RSGroupBox2) \
  X(CheckBox, RSCheckBox1) \
  X(GroupBox, RSGroupBox3) \
  X(CheckBox, RSCheckBox2) \
  X(CheckBox, RSCheckBox3) \
  X(Label, RSLabel1) \
  X(Button, RSButton2) \
  /* the romaji drills */ \
  X(Label, F6L22) \
  X(Label, F6L23) \
  X(Panel, RjPanel) \
  X(Panel, RjP1) \
  X(Label, RjL1) \
  X(Label, RjL2) \
  X(Label, RjL3) \
  X(Label, RjL4) \
  X(Label, RjL5) \
  X(Label, RjL6) \
  X(Label, RjL7) \
  X(Label, RjL8) \
  X(Panel, RjP10) \
  X(Panel, RP_1) X(Panel, RP_2) X(Panel, RP_3) X(Panel, RP_4) X(Panel, RP_5) X(Panel, RP_6) \
  X(Panel, RP_7) X(Panel, RP_8) X(Panel, RP_9) X(Panel, RP_0) X(Panel, RP_MS) X(Panel, RP_HT) \
  X(Panel, RP_EN) \
  X(Panel, RP_Q) X(Panel, RP_W) X(Panel, RP_E) X(Panel, RP_R) X(Panel, RP_T) X(Panel, RP_Y) \
  X(Panel, RP_U) X(Panel, RP_I) X(Panel, RP_O) X(Panel, RP_P) X(Panel, RP_AD) X(Panel, RP_RS) \
  X(Panel, RP_A) X(Panel, RP_S) X(Panel, RP_D) X(Panel, RP_F) X(Panel, RP_G) X(Panel, RP_H) \
  X(Panel, RP_J) X(Panel, RP_K) X(Panel, RP_L) X(Panel, RP_SK) X(Panel, RP_KR) X(Panel, RP_LS) \
  X(Panel, RP_Z) X(Panel, RP_X) X(Panel, RP_C) X(Panel, RP_V) X(Panel, RP_B) X(Panel, RP_N) \
  X(Panel, RP_M) X(Panel, RP_KM) X(Panel, RP_PR) X(Panel, RP_SR) X(Panel, RP_AB) \
  X(Panel, RP_SPC) X(Panel, RP_SFT) X(Panel, RP_SFTR) \
  X(Panel, RjP2) \
  X(Label, RjL20) \
  X(Label, RjL21) \
  X(Label, RjL22) \
  X(Panel, RjP3)

// The certificate-name dialog TForm9.
#define DOJOKAI_NAME_DIALOG_CONTROLS(X) X(Label, F9L1) X(Memo, F9M1) X(Button, F9B1)
// clang-format on
