set Dlg_Ret1=1
