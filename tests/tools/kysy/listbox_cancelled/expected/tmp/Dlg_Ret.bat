set Dlg_Ret1=@WR_ERR

set Dlg_Ret2=-1
