set Dlg_Ret1=MB_NO

set Dlg_Ret2=2
