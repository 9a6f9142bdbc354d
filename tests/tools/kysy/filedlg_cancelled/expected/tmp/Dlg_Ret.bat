set Dlg_Ret1=
set Dlg_Ret2=
set Dlg_Ret3=
set Dlg_Ret4=
set Dlg_Ret5=
