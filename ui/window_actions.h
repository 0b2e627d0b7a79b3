// What the main window's buttons and show event do.
#pragma once

namespace toridasu::ui {

class ActionsHost;

void FormShow(ActionsHost& host);      // the window was shown: nothing to do
void Button1Click(ActionsHost& host);  // browse for the source drawing
void Button2Click(ActionsHost& host);  // convert
void Button3Click(ActionsHost& host);  // browse for the destination
void Button4Click(ActionsHost& host);  // leave the program

}  // namespace toridasu::ui
