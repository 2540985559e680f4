"""The scenarios every desktop plays: keys, and the whole state each step leaves.

A step names only what changes from the state before it; a scenario starts from the program as it
opens (harness.START: the boxes empty, the total 0, the panel hidden, the focus in Text1).
"""
from harness import CLOSED, Scenario, ended, message

INVALID = "入力値が不正です"
REFUSED = "計算値が不正です"
OVER_74 = "計算値が７４分を超えました"
OVER_80 = "計算値が８０分を超えました"
LONE_SIGN_IN_S = "ｓ に符号しか入力されていません。\n数字を入力してください。\n（実行時エラー 5）"
H_OUT_OF_RANGE = ("ｈ の値が範囲（-32768～32767）の外です。\n範囲内の数を入力してください。\n"
                  "（実行時エラー 6）")
EMPTY = ("", "", "")
SHOWN = dict(panel=True, size="wide")
HIDDEN = dict(panel=False, size="narrow")
NARROW_TABS = ("Text2", "Text3", "Command1", "Command2", "Command3", "Text1")


def click(control, button=1):
    """A step: a click in the middle of a control, by name, with the mouse."""
    def step(desktop):
        desktop.click(control, button)
    step.__name__, step.mouse = f"click_{control}", True
    return step


SCENARIOS = [
    Scenario("keypad_plus_adds_the_entry",
             ("1 Tab 2 Tab 3 KP_Add", dict(total=" 1: 2: 3", count=" 1"))),
    Scenario("both_minus_keys_subtract",
             ("1 Tab 0 Tab 0 KP_Add", dict(total=" 1: 0: 0", count=" 1")),
             ("0 Tab 1 Tab 0 minus", dict(total=" 0: 59: 0", count=" 0")),
             ("0 Tab 0 Tab 1 KP_Subtract", dict(total=" 0: 58: 59"))),
    Scenario("shift_plus_adds_and_plain_equals_types_it",
             ("1 Tab 0 Tab 5 shift+equal", dict(total=" 1: 0: 5", count=" 1")),
             ("1 Tab 0 Tab 5 equal", dict(boxes=("1", "0", "5="), focus="Text3"))),
    # Every key that types nothing leaves the entry alone: none may run a calculation or end.
    Scenario("modifier_keys_and_enter_leave_the_entry",
             ("1 Tab 2 Tab 3", dict(boxes=("1", "2", "3"), focus="Text3")),
             ("Shift_L Control_L Alt_L Return KP_Enter", {})),
    Scenario("refused_subtraction_keeps_the_total",
             ("0 Tab 0 Tab 7 KP_Add", dict(total=" 0: 0: 7", count=" 1")),
             ("0 Tab 0 Tab 8 KP_Subtract", dict(boxes=("0", "0", "8-"), **message(REFUSED))),
             ("Return", CLOSED)),
    Scenario("invalid_entry_is_reported_and_cleared",
             ("1 Tab Tab 2 KP_Add", dict(boxes=("1", "", "2+"), **message(INVALID))),
             ("Return", CLOSED)),
    Scenario("a_message_box_closes_with_enter_space_or_escape",
             ("1 KP_Add", dict(boxes=("1+", "", ""), **message(INVALID))), ("Return", CLOSED),
             ("1 KP_Add", dict(boxes=("1+", "", ""), **message(INVALID))), ("space", CLOSED),
             ("1 KP_Add", dict(boxes=("1+", "", ""), **message(INVALID))), ("Escape", CLOSED)),
    Scenario("runtime_errors_are_reported_and_the_program_goes_on",
             ("1 Tab 2 Tab KP_Add", dict(boxes=("1", "2", "+"), **message(LONE_SIGN_IN_S))),
             ("Return", dict(message=None, focus="Text3")),
             # The caret stays where it was while the message box had the focus.
             ("1", dict(boxes=("1", "2", "+1"))), ("BackSpace", dict(boxes=("1", "2", "+"))),
             ("shift+Tab shift+Tab ctrl+a 3 2 7 6 8 KP_Add",
              dict(boxes=("32768+", "2", "+"), **message(H_OUT_OF_RANGE))),
             ("Return", dict(message=None, focus="Text1")),
             ("End BackSpace BackSpace Tab Tab End BackSpace 3 KP_Add",
              dict(total=" 3276: 2: 3", count=" 1", boxes=EMPTY))),
    # O drops itself and each character before it, toggling the panel once for each.
    Scenario("o_toggles_the_panel_once_for_each_character_it_drops",
             ("o", SHOWN), ("7 o", {}),
             ("5 Tab 1 2 o", dict(boxes=("5", "", ""), **HIDDEN)),
             ("End 1 o", dict(boxes=EMPTY, **SHOWN))),
    # A click on the window under a message box goes nowhere; once the box is closed, the focus
    # shows in Text1 whatever was clicked.
    Scenario("a_click_under_a_message_box_leaves_the_focus_in_text1",
             (click("Command1"), message(INVALID)), (click("Command1"), {}), ("Return", CLOSED)),
    Scenario("op_widens_and_narrows_the_window",
             ("Tab Tab Tab Tab Tab space", SHOWN), ("Tab Tab Tab Tab Tab space", HIDDEN)),
    Scenario("limit_warnings_over_74_then_over_80",
             ("o", SHOWN),
             ("7 3 Tab 5 9 Tab 5 9 KP_Add", dict(total=" 73: 59: 59", count=" 1")),
             ("0 Tab 0 Tab 1 KP_Add", dict(boxes=("0", "0", "1+"), **message(OVER_74))),
             ("Return", dict(total=" 74: 0: 0", count=" 2", **CLOSED)),
             # Option2, by the keyboard, then back to Text1.
             ("Tab Tab Tab Tab Tab Tab", dict(focus="Option1")),
             ("Down", dict(focus="Option2")), ("Tab", dict(focus="Text1")),
             ("5 Tab 0 Tab 0 KP_Add", dict(total=" 79: 0: 0", count=" 3")),
             ("1 Tab 0 Tab 0 KP_Add", dict(boxes=("1", "0", "0+"), **message(OVER_80))),
             ("Return", dict(total=" 80: 0: 0", count=" 4", **CLOSED))),
    Scenario("enter_types_nothing_and_presses_a_focused_button",
             ("1 2 Return 5", dict(boxes=("125", "", ""))),
             ("Tab 0 Tab 0 Tab", dict(boxes=("125", "0", "0"), focus="Command1")),
             ("Return", dict(total=" 125: 0: 0", count=" 1", boxes=EMPTY, focus="Text1"))),
    Scenario("tab_goes_from_box_to_box_then_to_the_buttons_and_back",
             *((("Tab", dict(focus=name)) for name in NARROW_TABS)),
             *((("shift+Tab", dict(focus=name)) for name in reversed(NARROW_TABS[:-1]))),
             ("shift+Tab", dict(focus="Text1"))),
    Scenario("escape_in_a_box_ends_the_program_with_exit_code_0",
             ("Tab Tab Tab", dict(focus="Command1")), ("Escape", {}),
             ("shift+Tab 9", dict(boxes=("", "", "9"), focus="Text3")),
             ("Escape", vars(ended(0)))),
]
