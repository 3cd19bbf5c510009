inherited TestDerivedForm: TFormTestDerived
  Caption = 'Derived'
  inherited Panel1: TFormTestPanel
    Left = 16
    inherited Button1: TFormTestWidget
    end
    object Button2: TFormTestWidget
      Caption = 'Cancel'
      Buddy = Button1
    end
  end
end
