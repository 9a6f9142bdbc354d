set Dlg_Ret1=@WR_ERR
