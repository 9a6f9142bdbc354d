set Dlg_Ret1=
