set Dlg_Ret1=C
set Dlg_Ret2=\x
set Dlg_Ret3=
set Dlg_Ret4=
set Dlg_Ret5=C:\x
