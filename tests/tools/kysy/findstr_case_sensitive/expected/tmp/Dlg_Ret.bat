set Dlg_Ret1=0
